// What a step that can fail gives: its value, or the reason it has none, in
// one line fit for a complaint. The readers of picture/ and the command line
// report every failure this way, so that a caller never has to look at an
// out-parameter to learn why nothing came back.
#pragma once

#include <string>
#include <utility>
#include <variant>

// The reason; converts to a Result of any type.
struct Failure {
    std::string reason;
};

template <typename T>
class Result {
public:
    Result(T value) : fContents(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : fContents(std::in_place_index<1>, std::move(failure)) {}

    bool has_value() const { return fContents.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& operator*() { return std::get<0>(fContents); }
    const T& operator*() const { return std::get<0>(fContents); }
    T* operator->() { return &std::get<0>(fContents); }
    const T* operator->() const { return &std::get<0>(fContents); }

    // Why there is no value; only for a Result without one.
    const std::string& Reason() const { return std::get<1>(fContents).reason; }

private:
    std::variant<T, Failure> fContents;
};
