// CRegistry: operations on the values of the current key.

#include "CRegistry.h"

#include "CRegistryConstants.h"
#include "TextConversion.h"

#include <algorithm>
#include <bit>
#include <utility>

using namespace CRegistryConstants;
using TextConversion::narrow;
using TextConversion::widen;

bool CRegistry::GetValueInfo(std::u16string_view sValue, ValueType& eValueType,
                             std::int32_t& lValueSize) {
    if (!lKeyHandle) return false;
    eValueType = UnknownValue;
    lValueSize = 0;
    if (containsNul(sValue)) return false;
    DWORD type = 0;
    DWORD count = 0;
    RegQueryValueExA(lKeyHandle, narrow(sValue).c_str(), nullptr, &type, nullptr, &count);
    const auto c = static_cast<std::int32_t>(count);
    switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ:
        eValueType = StringValue;
        lValueSize = c == 1 ? 1 : c - 1;
        return true;
    case REG_EXPAND_SZ:
        eValueType = EnvironmentStringValue;
        lValueSize = c - 1;
        return true;
    case REG_DWORD:
        eValueType = IntegerValue;
        lValueSize = c;
        return true;
    case REG_DWORD_BIG_ENDIAN:
        eValueType = BigEndianValue;
        lValueSize = c;
        return true;
    case REG_BINARY:
    case REG_LINK:
    case REG_RESOURCE_LIST:
        eValueType = BinaryValue;
        lValueSize = c;
        return true;
    default:
        lValueSize = c;
        return c != 0;
    }
}

bool CRegistry::ValueExists(std::u16string_view sValue) {
    ValueType kind;
    std::int32_t size;
    return GetValueInfo(sValue, kind, size);
}

bool CRegistry::DeleteValue(std::u16string_view sValue) {
    if (!lKeyHandle || containsNul(sValue)) return false;
    return RegDeleteValueA(lKeyHandle, narrow(sValue).c_str()) == ERROR_SUCCESS;
}

bool CRegistry::EnumerateValues(TextList& sValues, std::int32_t& lValuesNumber) {
    if (!lKeyHandle) return false;
    DWORD classLength = 0;
    DWORD count = 0;
    DWORD longestName = 0;
    FILETIME lastWrite{};
    RegQueryInfoKeyA(lKeyHandle, nullptr, &classLength, nullptr, nullptr, nullptr, nullptr, &count,
                     &longestName, nullptr, nullptr, &lastWrite);
    const auto n = static_cast<std::int32_t>(count);
    if (n <= 0) return false;
    // The longest name is counted in UTF-16 units; its 8-bit form may be longer.
    const DWORD bufferBytes = longestName * kMaxBytesPerUnit + 1;
    // Only names the platform actually gave count: a value deleted after the
    // count was taken leaves the list shorter, never an empty or stale name.
    TextList names(1);
    for (std::int32_t i = 0; i < n; ++i) {
        std::string buffer(bufferBytes, '\0');
        DWORD nameLength = bufferBytes;
        const LONG result = RegEnumValueA(lKeyHandle, static_cast<DWORD>(i), buffer.data(),
                                          &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS || nameLength >= bufferBytes) continue;
        names.push_back(widen(std::string_view(buffer.data(), nameLength)));
    }
    if (names.size() == 1) return false;
    sValues = std::move(names);
    lValuesNumber = static_cast<std::int32_t>(sValues.size()) - 1;
    return true;
}

std::u16string CRegistry::ReadString(std::u16string_view sValue) {
    if (!lKeyHandle) return {};
    ValueType kind;
    std::int32_t size = 0;
    GetValueInfo(sValue, kind, size);
    if (size <= 0) return {};
    // Room for the terminating NUL after the text.
    std::string buffer(static_cast<std::size_t>(size) + 1, '\0');
    DWORD type = 0;
    DWORD count = static_cast<DWORD>(size) + 1;
    if (RegQueryValueExA(lKeyHandle, narrow(sValue).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &count) != ERROR_SUCCESS)
        return {};
    return widen(std::string_view(buffer).substr(0, static_cast<std::size_t>(size)));
}

std::int32_t CRegistry::ReadInteger(std::u16string_view sValue) {
    if (!lKeyHandle) return 0;
    ValueType kind;
    std::int32_t size = 0;
    GetValueInfo(sValue, kind, size);
    if (size <= 0) return 0;
    // The platform may fill all of the byte count it is given. A value longer
    // than an integer is therefore read whole, and its first four bytes count.
    std::vector<BYTE> buffer(std::max<std::size_t>(static_cast<std::size_t>(size), kIntegerBytes),
                             0);
    DWORD type = 0;
    DWORD count = static_cast<DWORD>(size);
    if (RegQueryValueExA(lKeyHandle, narrow(sValue).c_str(), nullptr, &type, buffer.data(),
                         &count) != ERROR_SUCCESS)
        return 0;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kIntegerBytes; ++i)
        value |= std::uint32_t{buffer[i]} << (8 * i);
    return static_cast<std::int32_t>(value);
}

Variant CRegistry::ReadBinary(std::u16string_view sValue) {
    Variant result;
    if (!lKeyHandle) return result;
    ValueType kind;
    std::int32_t size = 0;
    GetValueInfo(sValue, kind, size);
    if (size <= 0) return result;
    ByteArray array{0, std::vector<std::uint8_t>(static_cast<std::size_t>(size))};
    DWORD type = 0;
    DWORD count = static_cast<DWORD>(size);
    if (RegQueryValueExA(lKeyHandle, narrow(sValue).c_str(), nullptr, &type, array.bytes.data(),
                         &count) != ERROR_SUCCESS)
        return result;
    return array;
}

std::u16string CRegistry::ReadEnviromentString(std::u16string_view sValue) {
    if (!lKeyHandle) return {};
    const std::u16string text = ReadString(sValue);
    if (!text.empty() && text.front() == kPercent && text.back() == kPercent)
        return ExpandEnvString(text);
    return {};
}

// The size ExpandEnvironmentStringsA answers is not always the bytes the
// text needs: Windows (and Wine) count it in UTF-16 units, fewer than the
// bytes of non-ASCII text, and then fill the buffer with as much as fits. So
// each answer only sizes the next try, with a byte to spare, and the text is
// taken once it ends before the buffer does: one that fills the buffer to
// its last byte may have been cut.
std::u16string CRegistry::ExpandEnvString(const std::u16string& sText) {
    const std::string source = narrow(sText);
    DWORD answer = ExpandEnvironmentStringsA(source.c_str(), nullptr, 0);
    std::size_t size = 0;
    std::string buffer;
    // Without a size there is nothing sensible to expand into.
    while (answer != 0) {
        size = std::max<std::size_t>(answer + std::size_t{1}, size * 2);
        if (size > kMaxExpandedBytes) return {};
        buffer.assign(size, '\0');
        answer = ExpandEnvironmentStringsA(source.c_str(), buffer.data(), static_cast<DWORD>(size));
        const std::size_t length = buffer.find('\0');
        if (answer != 0 && answer < size && length != std::string::npos && length + 1 < size) {
            buffer.resize(length);
            return widen(buffer);
        }
    }
    return {};
}

std::int32_t CRegistry::ReadBigEndian(std::u16string_view sValue) {
    if (!lKeyHandle) return 0;
    return SwapEndian(ReadInteger(sValue));
}

std::int32_t CRegistry::SwapEndian(std::int32_t lValue) {
    static_assert(std::endian::native == std::endian::little,
                  "byte i of an integer is taken to be its i-th least significant byte");
    std::int32_t result = 0;
    auto* target = reinterpret_cast<unsigned char*>(&result);
    const auto* source = reinterpret_cast<const unsigned char*>(&lValue);
    for (std::size_t i = 0; i < kIntegerBytes; ++i)
        RtlMoveMemory(target + (kIntegerBytes - 1 - i), source + i, 1);
    return result;
}

bool CRegistry::WriteString(std::u16string_view sData, std::u16string_view sValue) {
    // An empty text is stored as one NUL character, so that it reads back as
    // a text that is there, not as a missing one.
    const std::u16string data = sData.empty() ? std::u16string(1, u'\0') : std::u16string(sData);
    // The type asked for holds for this one write, however it ends.
    const auto type = static_cast<DWORD>(std::exchange(lStringType, REG_SZ));
    if (!lKeyHandle || containsNul(sValue)) return false;
    // The byte count is the encoded length plus the NUL, so that text whose
    // characters take several bytes is stored whole.
    const std::string bytes = narrow(data);
    return RegSetValueExA(lKeyHandle, narrow(sValue).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(bytes.c_str()),
                          static_cast<DWORD>(bytes.size() + 1)) == ERROR_SUCCESS;
}

bool CRegistry::WriteEnvironmentString(std::u16string_view sData, std::u16string_view sValue) {
    if (!lKeyHandle) return false;
    std::u16string data = sData.empty() ? std::u16string(2, kPercent) : std::u16string(sData);
    if (!(data.front() == kPercent && data.back() == kPercent)) data = kPercent + data + kPercent;
    lStringType = REG_EXPAND_SZ;
    return WriteString(data, sValue);
}

bool CRegistry::WriteInteger(std::int32_t lData, std::u16string_view sValue) {
    const auto type = static_cast<DWORD>(std::exchange(lIntegerType, REG_DWORD));
    if (!lKeyHandle || containsNul(sValue)) return false;
    const auto value = static_cast<std::uint32_t>(lData);
    BYTE bytes[kIntegerBytes];
    for (std::size_t i = 0; i < kIntegerBytes; ++i)
        bytes[i] = static_cast<BYTE>(value >> (8 * i));
    return RegSetValueExA(lKeyHandle, narrow(sValue).c_str(), 0, type, bytes, kIntegerBytes) ==
           ERROR_SUCCESS;
}

bool CRegistry::WriteBigEndian(std::int32_t lData, std::u16string_view sValue) {
    if (!lKeyHandle) return false;
    lIntegerType = REG_DWORD_BIG_ENDIAN;
    return WriteInteger(SwapEndian(lData), sValue);
}

bool CRegistry::WriteBinary(const Variant& vData, std::u16string_view sValue) {
    if (!lKeyHandle || containsNul(sValue)) return false;
    const auto* array = std::get_if<ByteArray>(&vData);
    if (!array) return false;
    // Only arrays indexed from 0 are written; any other is refused whole.
    if (array->lowerBound != 0) return false;
    return RegSetValueExA(lKeyHandle, narrow(sValue).c_str(), 0, REG_BINARY, array->bytes.data(),
                          static_cast<DWORD>(array->bytes.size())) == ERROR_SUCCESS;
}

bool CRegistry::RenameValue(std::u16string_view sOldValueName, std::u16string_view sNewValueName) {
    if (!lKeyHandle) return false;
    if (!ValueExists(sOldValueName) || ValueExists(sNewValueName)) return false;
    ValueType kind = UnknownValue;
    std::int32_t size = 0;
    GetValueInfo(sOldValueName, kind, size);
    // A copy that could not be written leaves the old value as it was, and
    // the rename has not happened.
    if (!CopyValue(sOldValueName, kind, sNewValueName)) return false;
    DeleteValue(sOldValueName);
    return true;
}

bool CRegistry::CopyValue(std::u16string_view sName, ValueType eKind, std::u16string_view sNewName,
                          std::u16string_view sTargetPath) {
    Variant data;
    switch (eKind) {
    case StringValue:
    case EnvironmentStringValue:
        data = ReadString(sName); // as stored, not expanded
        break;
    case IntegerValue:
    case BigEndianValue:
        data = ReadInteger(sName); // the four bytes as stored, not swapped
        break;
    case BinaryValue:
        data = ReadBinary(sName);
        if (std::holds_alternative<std::monostate>(data)) return false;
        break;
    case UnknownValue:
        return false;
    }
    if (!sTargetPath.empty()) OpenKey(sTargetPath);
    if (const auto* text = std::get_if<std::u16string>(&data)) {
        if (eKind == EnvironmentStringValue) lStringType = REG_EXPAND_SZ;
        return WriteString(*text, sNewName);
    }
    if (const auto* number = std::get_if<std::int32_t>(&data)) {
        if (eKind == BigEndianValue) lIntegerType = REG_DWORD_BIG_ENDIAN;
        return WriteInteger(*number, sNewName);
    }
    return WriteBinary(data, sNewName);
}

Variant CRegistry::FindValue() {
    return {};
}
