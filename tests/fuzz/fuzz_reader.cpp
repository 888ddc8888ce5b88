#include "fuzz_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

std::uint8_t FuzzReader::byte()
{
    return m_pos < m_size ? m_data[m_pos++] : 0;
}

std::uint32_t FuzzReader::upTo(std::uint32_t max)
{
    std::uint64_t value = 0;
    for (std::uint32_t range = max; range != 0; range >>= 8)
        value = (value << 8) | byte();
    return max == UINT32_MAX ? static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value % (std::uint64_t{max} + 1));
}

std::string FuzzReader::text(std::size_t maxLength)
{
    const std::uint8_t length = byte();
    if (length == 0xff) {
        const std::size_t count = std::min<std::size_t>(upTo(0xffff), maxLength);
        return std::string(count, static_cast<char>(byte()));
    }
    const std::size_t count = std::min({static_cast<std::size_t>(length), maxLength, m_size - std::min(m_pos, m_size)});
    std::string out(reinterpret_cast<const char*>(m_data + m_pos), count);
    m_pos += count;
    return out;
}

std::string_view FuzzReader::rest()
{
    const std::size_t from = std::min(m_pos, m_size);
    m_pos = m_size;
    return {reinterpret_cast<const char*>(m_data + from), m_size - from};
}

void fail(std::string_view what)
{
    std::fprintf(stderr, "fuzz invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

} // namespace fuzz
