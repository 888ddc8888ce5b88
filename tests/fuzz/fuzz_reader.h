#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Hands out the bytes of one fuzz input as small decisions. Once the input is
// used up every read gives zeros, so a harness never needs to check the size.
namespace fuzz {

class FuzzReader {
public:
    FuzzReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    std::uint8_t byte();
    bool flag() { return (byte() & 1) != 0; }
    // A number in [0, max], from as many bytes as max needs.
    std::uint32_t upTo(std::uint32_t max);
    // A text of at most maxLength bytes; its length comes first. Length 0xff
    // followed by a count and a filler byte makes a long run of one byte.
    std::string text(std::size_t maxLength);
    // Everything not read yet.
    std::string_view rest();

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Ends the process with a message: a broken invariant is a finding.
[[noreturn]] void fail(std::string_view what);
inline void require(bool condition, std::string_view what)
{
    if (!condition)
        fail(what);
}

} // namespace fuzz
