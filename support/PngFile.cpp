#include "PngFile.h"

#include "Text.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0)
{
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(body.data(), body.size()));
}

// Writes the bits of a deflate stream, least significant first.
class CBitWriter {
public:
    explicit CBitWriter(std::vector<uint8_t>& out) : m_out(out) {}
    void Put(uint32_t bits, int nCount)
    {
        for (int i = 0; i < nCount; ++i) {
            m_nByte |= static_cast<uint8_t>(((bits >> i) & 1) << m_nUsed);
            if (++m_nUsed == 8)
                Flush();
        }
    }
    // Huffman codes go most significant bit first.
    void PutCode(uint32_t code, int nLength)
    {
        for (int i = nLength - 1; i >= 0; --i)
            Put((code >> i) & 1, 1);
    }
    void Flush()
    {
        if (m_nUsed == 0)
            return;
        m_out.push_back(m_nByte);
        m_nByte = 0;
        m_nUsed = 0;
    }

private:
    std::vector<uint8_t>& m_out;
    uint8_t m_nByte = 0;
    int m_nUsed = 0;
};

// The fixed Huffman code of a literal/length symbol (0..287).
void PutSymbol(CBitWriter& bits, int nSymbol)
{
    if (nSymbol < 144)
        bits.PutCode(0x30 + nSymbol, 8);
    else if (nSymbol < 256)
        bits.PutCode(0x190 + nSymbol - 144, 9);
    else if (nSymbol < 280)
        bits.PutCode(nSymbol - 256, 7);
    else
        bits.PutCode(0xC0 + nSymbol - 280, 8);
}

// Base value and extra bits of each length code (257..285) and distance code (0..29).
const int kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistanceBase[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                             193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

template <size_t N>
int CodeOf(const int (&bases)[N], int nValue)
{
    int nCode = 0;
    while (nCode + 1 < static_cast<int>(N) && bases[nCode + 1] <= nValue)
        ++nCode;
    return nCode;
}

void PutMatch(CBitWriter& bits, int nLength, int nDistance)
{
    const int nLengthCode = CodeOf(kLengthBase, nLength);
    PutSymbol(bits, 257 + nLengthCode);
    bits.Put(static_cast<uint32_t>(nLength - kLengthBase[nLengthCode]), kLengthExtra[nLengthCode]);
    const int nDistanceCode = CodeOf(kDistanceBase, nDistance);
    bits.PutCode(static_cast<uint32_t>(nDistanceCode), 5);
    bits.Put(static_cast<uint32_t>(nDistance - kDistanceBase[nDistanceCode]), kDistanceExtra[nDistanceCode]);
}

int MatchLength(const std::vector<uint8_t>& raw, size_t at, size_t distance)
{
    if (distance == 0 || distance > at || distance > 32768)
        return 0;
    const size_t nMax = std::min<size_t>(258, raw.size() - at);
    size_t n = 0;
    while (n < nMax && raw[at + n] == raw[at + n - distance])
        ++n;
    return static_cast<int>(n);
}

// zlib stream of one deflate block with the fixed codes. Screenshots are mostly flat colour and
// rows like the row above: matches with the pixel before and the pixel above find nearly all of
// it, without a compression library.
std::vector<uint8_t> CompressedZlib(const std::vector<uint8_t>& raw, size_t stride)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    CBitWriter bits(out);
    bits.Put(1, 1); // the last block
    bits.Put(1, 2); // fixed codes
    size_t at = 0;
    while (at < raw.size()) {
        int nBest = 0;
        size_t bestDistance = 0;
        for (const size_t distance : {size_t(3), stride, size_t(1)}) {
            const int nLength = MatchLength(raw, at, distance);
            if (nLength > nBest) {
                nBest = nLength;
                bestDistance = distance;
            }
        }
        if (nBest >= 3) {
            PutMatch(bits, nBest, static_cast<int>(bestDistance));
            at += static_cast<size_t>(nBest);
        } else {
            PutSymbol(bits, raw[at++]);
        }
    }
    PutSymbol(bits, 256);
    bits.Flush();
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

bool PngFile::Save(const WindowImage& image, const std::string& path)
{
    if (image.IsEmpty())
        return false;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.Height()) * (1 + 3 * image.Width()));
    for (int y = 0; y < image.Height(); ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < image.Width(); ++x) {
            const COLORREF pixel = image.Pixel(x, y);
            raw.push_back(GetRValue(pixel));
            raw.push_back(GetGValue(pixel));
            raw.push_back(GetBValue(pixel));
        }
    }
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(image.Width()));
    PutBigEndian(header, static_cast<uint32_t>(image.Height()));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", CompressedZlib(raw, 1 + 3 * static_cast<size_t>(image.Width())));
    PutChunk(png, "IEND", {});

    std::ofstream file(std::filesystem::path(Utf8ToWide(path)), std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    file.close();
    return !file.fail();
}
