#pragma once
// CRegistry: one object holds at most one open registry key, the current key,
// and offers operations on keys, on the values of the current key, and the
// renaming of the current key.
//
// Key paths start with one of six root names spelled exactly
// ("HKEY_CURRENT_USER\Software\Quillmoor\Tarrowin"). Every outcome is the
// return value: false, an empty text, 0 or an empty Variant for a failure; no
// operation shows a message or throws for a failure the platform reports.
// Texts are wide (UTF-16) here and cross to the registry in the 8-bit code
// page (TextConversion.h). On Windows the registry is the system's; elsewhere
// it is the SQLite store (store/RegistryStore.h tells where its file lives).
//
// Lists (EnumerateKeys, EnumerateValues) are TextLists indexed from 1; see
// CRegistryUDTs.h. A value name left out is the empty name: the key's unnamed
// default value. The writes take the data first and the name second.

#include "CRegistryFunctions.h"
#include "CRegistryUDTs.h"

#include <cstdint>
#include <string>
#include <string_view>

class CRegistry {
public:
    // The kind of a value, as GetValueInfo reports it.
    enum ValueType : std::int32_t {
        UnknownValue = 0,           // any other type, or a missing value
        StringValue = 1,            // REG_SZ, REG_MULTI_SZ
        EnvironmentStringValue = 2, // REG_EXPAND_SZ
        IntegerValue = 3,           // REG_DWORD
        BigEndianValue = 4,         // REG_DWORD_BIG_ENDIAN
        BinaryValue = 5,            // REG_BINARY, REG_LINK, REG_RESOURCE_LIST
    };

    CRegistry() = default;
    ~CRegistry(); // closes the current key
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Keys.
    bool OpenKey(std::u16string_view sKey);
    bool CloseKey();
    bool EnumerateKeys(TextList& sKeys, std::int32_t& lKeysNumber);
    bool HasSubKeys();
    bool CreateKey(std::u16string_view sKey); // true only for a key it created
    bool DeleteKey(std::u16string_view sKey);
    bool KeyExists(std::u16string_view sKey);
    bool RenameKey(std::u16string_view sNewKeyName);

    // Values of the current key.
    bool EnumerateValues(TextList& sValues, std::int32_t& lValuesNumber);
    bool DeleteValue(std::u16string_view sValue);
    bool ValueExists(std::u16string_view sValue);
    bool GetValueInfo(std::u16string_view sValue, ValueType& eValueType, std::int32_t& lValueSize);
    std::u16string ReadString(std::u16string_view sValue = {});
    std::int32_t ReadInteger(std::u16string_view sValue = {});
    Variant ReadBinary(std::u16string_view sValue = {});
    std::u16string ReadEnviromentString(std::u16string_view sValue = {});
    std::int32_t ReadBigEndian(std::u16string_view sValue = {});
    bool WriteString(std::u16string_view sData, std::u16string_view sValue = {});
    bool WriteEnvironmentString(std::u16string_view sData, std::u16string_view sValue = {});
    bool WriteInteger(std::int32_t lData, std::u16string_view sValue = {});
    bool WriteBigEndian(std::int32_t lData, std::u16string_view sValue = {});
    bool WriteBinary(const Variant& vData, std::u16string_view sValue = {});
    bool RenameValue(std::u16string_view sOldValueName, std::u16string_view sNewValueName);

    // Hive files are not handled: each of these returns false and does nothing.
    bool SaveKey();
    bool LoadKey();
    bool UnLoadKey();
    bool RestoreKey();
    bool ReplaceKey();

    Variant FindKey();   // does nothing; an empty Variant
    Variant FindValue(); // does nothing; an empty Variant

    std::u16string CurrentPath() const { return sCurrentPath; }
    std::u16string CurrentKey() const { return sCurrentKey; }

private:
    std::u16string ExpandEnvString(const std::u16string& sText);
    std::int32_t SwapEndian(std::int32_t lValue);
    void CopyValues(const std::u16string& sSourcePath, const std::u16string& sTargetPath);
    // Copies one value of the current key by its kind, as RenameValue and
    // CopyValues both do: a text, expandable or not, and a number, big-endian
    // or not, are written again with their type; bytes as REG_BINARY. The copy
    // goes under sNewName into the key at sTargetPath, which then stays
    // current, or, without a target path, into the current key. False when
    // there was nothing to copy (an unknown kind, bytes that could not be
    // read) or the write failed.
    bool CopyValue(std::u16string_view sName, ValueType eKind, std::u16string_view sNewName,
                   std::u16string_view sTargetPath = {});
    void CopySubKeys(const std::u16string& sSourcePath, const std::u16string& sTargetPath);

    HKEY lKeyHandle = nullptr;             // the current key; null when none is open
    std::int32_t lStringType = REG_SZ;     // REG_EXPAND_SZ only during one write
    std::int32_t lIntegerType = REG_DWORD; // REG_DWORD_BIG_ENDIAN only during one write
    std::u16string sCurrentPath;           // as given to the last successful OpenKey
    std::u16string sCurrentKey;            // its last component
};
