#pragma once

#include <tuple>

namespace orvik {

// Remembers the values it is given and writes them back when it goes out of
// scope, also when an error ends the scope: loops that try every option on
// the student's record leave the record as they found it.
//
//     const RestoreOnExit restore(computer.CacheSize, computer.CacheTime);
template <typename... T> class RestoreOnExit {
public:
    explicit RestoreOnExit(T&... values) : places_(values...), saved_(values...) {}
    ~RestoreOnExit() { places_ = saved_; }
    RestoreOnExit(const RestoreOnExit&) = delete;
    RestoreOnExit& operator=(const RestoreOnExit&) = delete;

private:
    std::tuple<T&...> places_;
    std::tuple<T...> saved_;
};

} // namespace orvik
