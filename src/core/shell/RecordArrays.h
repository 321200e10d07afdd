#pragma once
// Storage of one record of readings. The logger's memory is three banks of 24540 readings, and a
// record keeps that shape: reading i (1-based, oldest first) lives in storage block
// ceil(i / 24540), row i - 24540 x (block - 1). Each array is dimensioned 0..3 by 0..32720
// (a bank's bytes are 32720), although the placing rule only ever uses blocks 1..3, rows 1..24540.

#include <cstdio>
#include <cstdlib>
#include <vector>

constexpr int kRowsPerBlock = 24540;
constexpr int kMaxReadings = 3 * kRowsPerBlock; // 73620
constexpr int kRowCapacity = 32720;             // highest row index of the arrays
constexpr int kBlockCapacity = 3;               // highest block index

struct BlockRow {
    int block;
    int row;
};

// Block and row of reading i (1..73620).
constexpr BlockRow BlockRowOf(int i) {
    const int block = (i + kRowsPerBlock - 1) / kRowsPerBlock;
    return {block, i - kRowsPerBlock * (block - 1)};
}

// An index outside the arrays is a fault in the program, never something the data may cause:
// every reader of outside bytes checks its counts first. Stop loudly instead of writing
// somewhere else.
[[noreturn]] inline void RecordIndexFault(int block, int row) {
    std::fprintf(stderr, "record index out of range: block %d, row %d\n", block, row);
    std::abort();
}

template <class T> class RecordArray {
public:
    RecordArray() : data_(static_cast<size_t>((kBlockCapacity + 1) * (kRowCapacity + 1)), T{}) {}

    T& operator()(int block, int row) { return data_[index(block, row)]; }
    const T& operator()(int block, int row) const { return data_[index(block, row)]; }

    // Reading i, 1-based.
    T& point(int i) {
        const BlockRow br = BlockRowOf(i);
        return (*this)(br.block, br.row);
    }
    const T& point(int i) const {
        const BlockRow br = BlockRowOf(i);
        return (*this)(br.block, br.row);
    }

private:
    static size_t index(int block, int row) {
        if (block < 0 || block > kBlockCapacity || row < 0 || row > kRowCapacity)
            RecordIndexFault(block, row);
        return static_cast<size_t>(block) * (kRowCapacity + 1) + static_cast<size_t>(row);
    }
    std::vector<T> data_;
};

// A one-dimensional array 0..32720, used for one decoded bank.
template <class T> class BankArray {
public:
    BankArray() : data_(kRowCapacity + 1, T{}) {}
    T& operator[](int i) { return data_[check(i)]; }
    const T& operator[](int i) const { return data_[check(i)]; }
    static constexpr int size() { return kRowCapacity + 1; }

private:
    static size_t check(int i) {
        if (i < 0 || i > kRowCapacity) RecordIndexFault(0, i);
        return static_cast<size_t>(i);
    }
    std::vector<T> data_;
};
