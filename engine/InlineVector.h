#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace quillory {

// A growable array whose first N elements live inside the object; only larger
// sizes touch the heap. Used where the engine's lists are small in practice
// (reserved cards, seats) and are built thousands of times per estimate.
template <typename T, std::size_t N> class InlineVector {
public:
    InlineVector() = default;
    explicit InlineVector(std::size_t count, const T& value = T{}) { Resize(count, value); }

    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }

    T& operator[](std::size_t i) { return i < N ? m_inline[i] : m_heap[i - N]; }
    const T& operator[](std::size_t i) const { return i < N ? m_inline[i] : m_heap[i - N]; }

    void PushBack(const T& value) {
        if (m_size < N) {
            m_inline[m_size] = value;
        } else {
            m_heap.push_back(value);
        }
        ++m_size;
    }

    void Resize(std::size_t count, const T& value = T{}) {
        for (std::size_t i = m_size; i < count && i < N; ++i) {
            m_inline[i] = value;
        }
        if (count > N) {
            m_heap.resize(count - N, value);
        } else {
            m_heap.clear();
        }
        m_size = count;
    }

    bool Contains(const T& value) const {
        const std::size_t inlineCount = m_size < N ? m_size : N;
        for (std::size_t i = 0; i < inlineCount; ++i) {
            if (m_inline[i] == value) {
                return true;
            }
        }
        for (const T& v : m_heap) {
            if (v == value) {
                return true;
            }
        }
        return false;
    }

private:
    std::array<T, N> m_inline{};
    std::vector<T> m_heap{};
    std::size_t m_size{0};
};

} // namespace quillory
