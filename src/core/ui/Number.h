#pragma once
// A number that may be empty. A fresh shared record holds empty numbers; an empty number takes
// part in arithmetic and comparisons as 0 and turns into empty text when formatted, so a value
// that was never set (a logger number before any download, say) prints as nothing rather than 0.

class Number {
public:
    constexpr Number() = default;
    constexpr Number(double value) : value_(value), set_(true) {}

    static constexpr Number empty() { return Number(); }
    constexpr bool isEmpty() const { return !set_; }
    constexpr double value() const { return set_ ? value_ : 0.0; }
    constexpr operator double() const { return value(); }

    constexpr Number& operator+=(double d) { return *this = value() + d; }
    constexpr Number& operator-=(double d) { return *this = value() - d; }

private:
    double value_ = 0.0;
    bool set_ = false;
};
