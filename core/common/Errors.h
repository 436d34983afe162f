#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace mirvane {

// A run-time failure as the user sees it in the error report: a number from the
// catalogue below and its Turkish description.
struct RunTimeError {
    int number = 0;
    std::string description;

    friend bool operator==(const RunTimeError&, const RunTimeError&) = default;
};

namespace errors {

inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int TooManyRecords = 63;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidFileFormat = 321;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int CannotStartProgram = 429; // as when Word cannot be started

// The Turkish description of a catalogue number; an unknown number gets a generic text.
std::string_view description(int number);

// The error of that number with its catalogue description.
RunTimeError make(int number);

// The error of that number with a description of our own (for example naming a file).
RunTimeError make(int number, std::string description);

// Maps an operating-system error (errno value) to the nearest catalogue error.
RunTimeError fromErrno(int errnoValue);

} // namespace errors

// The outcome of an operation that either yields a value or fails with a run-time error.
template <class T> class Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(RunTimeError error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(state_); }
    T& value() & { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const RunTimeError& error() const { return std::get<RunTimeError>(state_); }

private:
    std::variant<T, RunTimeError> state_;
};

// The outcome of an operation that yields nothing but may fail.
class Status {
public:
    Status() = default;
    Status(RunTimeError error) : error_(std::move(error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const RunTimeError& error() const { return error_; }

private:
    RunTimeError error_;
    bool failed_ = false;
};

} // namespace mirvane
