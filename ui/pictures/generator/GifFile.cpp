#include "GifFile.h"

#include "Quantize.h"

#include <stdexcept>
#include <unordered_map>

namespace PictureFiles {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kMaxCodes = 1 << kMaxCodeBits;
constexpr int kMaxSubBlock = 255;
constexpr int kHalfOpaque = 128;

// Packs variable-width codes least significant bit first and cuts the bytes
// into length-prefixed sub-blocks.
class CodeWriter {
public:
    void put(int code, int bits) {
        buffer_ |= std::uint32_t(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            bytes_.append(char(buffer_ & 0xff));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }

    QByteArray finish() {
        if (count_ > 0) bytes_.append(char(buffer_ & 0xff));
        QByteArray out;
        for (qsizetype at = 0; at < bytes_.size(); at += kMaxSubBlock) {
            const QByteArray block = bytes_.mid(at, kMaxSubBlock);
            out.append(char(block.size()));
            out.append(block);
        }
        out.append('\0');
        return out;
    }

private:
    QByteArray bytes_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

void putU16(QByteArray& out, int v) {
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

} // namespace

QByteArray gifLzwBlocks(const std::vector<std::uint8_t>& indices, int minimumCodeSize) {
    if (minimumCodeSize < 2 || minimumCodeSize > 8) throw std::invalid_argument("code size");
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;

    CodeWriter writer;
    // A string is known by the code of its prefix and its last index.
    std::unordered_map<std::uint32_t, int> table;
    int nextCode = 0;
    int codeBits = 0;
    auto clear = [&] {
        writer.put(clearCode, codeBits == 0 ? minimumCodeSize + 1 : codeBits);
        table.clear();
        nextCode = endCode + 1;
        codeBits = minimumCodeSize + 1;
    };
    // The decoder adds its table entry one code later than the encoder and
    // widens its codes as soon as its table reaches the next power of two, so the
    // encoder widens one entry later than its own table would suggest.
    auto grow = [&] {
        if (nextCode > (1 << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
    };

    clear();
    if (indices.empty()) {
        writer.put(endCode, codeBits);
        return writer.finish();
    }
    if (indices[0] >= clearCode) throw std::invalid_argument("index beyond the code size");
    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int index = indices[i];
        if (index >= clearCode) throw std::invalid_argument("index beyond the code size");
        const std::uint32_t key = std::uint32_t(prefix) << 8 | std::uint32_t(index);
        if (auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        writer.put(prefix, codeBits);
        if (nextCode < kMaxCodes) {
            table.emplace(key, nextCode++);
            grow();
        } else {
            clear();
        }
        prefix = index;
    }
    writer.put(prefix, codeBits);
    // Reading that last code makes the decoder add one more entry, which may
    // widen the end code. (Right after a clear the table is far from the next
    // power of two, so the first code there needs no exception.)
    if (nextCode < kMaxCodes) {
        ++nextCode;
        grow();
    }
    writer.put(endCode, codeBits);
    return writer.finish();
}

QByteArray gifFile(const QImage& picture, int tableSize, int transparentIndex) {
    int tableBits = 1;
    while ((1 << tableBits) < tableSize)
        ++tableBits;
    if ((1 << tableBits) != tableSize || tableSize > 256)
        throw std::invalid_argument("colour table size must be a power of two up to 256");
    if (transparentIndex < 0 || transparentIndex >= tableSize)
        throw std::invalid_argument("transparent index outside the table");
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width();
    const int h = argb.height();

    std::vector<QRgb> shownColours;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (qAlpha(argb.pixel(x, y)) >= kHalfOpaque) shownColours.push_back(argb.pixel(x, y));
    const std::vector<QRgb> reduced = reducedPalette(shownColours, tableSize - 1);

    // The transparent entry keeps a light grey, which is what a reader that
    // ignores transparency would show on a button.
    std::vector<QRgb> palette(std::size_t(tableSize), qRgb(0, 0, 0));
    palette[std::size_t(transparentIndex)] = qRgb(0xc0, 0xc0, 0xc0);
    for (std::size_t i = 0, slot = 0; i < reduced.size(); ++i, ++slot) {
        if (int(slot) == transparentIndex) ++slot;
        palette[slot] = reduced[i];
    }

    std::vector<std::uint8_t> indices;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = argb.pixel(x, y);
            indices.push_back(std::uint8_t(qAlpha(c) >= kHalfOpaque
                                               ? nearestIndex(palette, c, transparentIndex)
                                               : transparentIndex));
        }

    QByteArray out("GIF89a");
    putU16(out, w);
    putU16(out, h);
    // Global table present, 8 bits per primary in the source, unsorted, its size.
    out.append(char(0x80 | (7 << 4) | (tableBits - 1)));
    out.append('\0'); // background colour index
    out.append('\0'); // no aspect ratio
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Graphic control extension: no disposal, no delay, a transparent colour.
    out.append("\x21\xf9\x04\x01", 4);
    putU16(out, 0);
    out.append(char(transparentIndex));
    out.append('\0');
    // Image descriptor: the whole screen, no local table, not interlaced.
    out.append('\x2c');
    putU16(out, 0);
    putU16(out, 0);
    putU16(out, w);
    putU16(out, h);
    out.append('\0');
    const int minimumCodeSize = std::max(2, tableBits);
    out.append(char(minimumCodeSize));
    out.append(gifLzwBlocks(indices, minimumCodeSize));
    out.append('\x3b');
    return out;
}

} // namespace PictureFiles
