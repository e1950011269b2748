#pragma once

#include <cstdint>
#include <cstring>

// Takes values from the front of a fuzz input; past its end every value is 0, so that any
// input, however short, describes a whole case.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t remaining() const { return m_size - m_used; }

    std::uint8_t byte() { return m_used < m_size ? m_data[m_used++] : 0; }

    std::uint16_t word() { return std::uint16_t(byte() | byte() << 8); }

    template <typename T> T raw()
    {
        unsigned char bytes[sizeof(T)] = {};
        for (unsigned char &b : bytes)
            b = byte();
        T value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_used = 0;
};
