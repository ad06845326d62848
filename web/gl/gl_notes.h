// The seam through which the page's frame inspector hears the program's GL
// calls: each entry point opens a note of its call as it begins, with its
// arguments as the program passed them, and closes it as it returns, once
// the context has carried it out. A call made inside another (a quadric's
// glBegin, a vertex array's glVertex, a list's calls) is noted inside it.
// While a frame is recorded every call is noted, and the frame's flush ends
// the record; between frames, calls that set the state the next frame
// starts with (initialisation, reshape, keys) are kept. The inspector
// (web/inspect/record.cpp, web/inspect/start_state.cpp) stands on this, so
// the GL layer knows nothing of it; a page built without it notes nothing.
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace glweb {
class Context;
}

namespace inspect {

// An entry point made again from numbers: the function, as any function.
using Invoke = void (*)(void (*fn)(), const double* args);

// Makes a noted call again with the arguments given (as many as it noted,
// then zeros): an entry point of numbers by a pointer and its invoker, any
// other by a closure; empty for a call that is noted but never made again
// (one that only reads, or points into the program's memory). The first is
// two pointers, so that each entry point's note stays small in the page.
class Redo {
public:
    Redo() = default;
    Redo(std::nullptr_t) {}
    Redo(Invoke invoke, void (*fn)()) : invoke_(invoke), fn_(fn) {}
    template <class F, class = std::enable_if_t<!std::is_same<std::decay_t<F>, Redo>::value>>
    Redo(F closure) : closure_(std::move(closure))
    {
    }
    void operator()(const double* a) const
    {
        if (invoke_)
            invoke_(fn_, a);
        else
            closure_(a);
    }
    explicit operator bool() const { return invoke_ != nullptr || static_cast<bool>(closure_); }

private:
    Invoke invoke_ = nullptr;
    void (*fn_)() = nullptr;
    std::function<void(const double*)> closure_;
};

// Calls `fn` with `a` converted to its parameters, which must be numbers.
template <class R, class... P, size_t... I>
void callWith(R (*fn)(P...), const double* a, std::index_sequence<I...>)
{
    (void)a;
    (void)fn(static_cast<P>(a[I])...);
}

template <class R, class... P>
void invokeAs(void (*fn)(), const double* a)
{
    callWith(reinterpret_cast<R (*)(P...)>(fn), a, std::index_sequence_for<P...>{});
}

template <class R, class... P>
Invoke invokerOf(R (*)(P...))
{
    return &invokeAs<R, P...>;
}

template <class R, class... P>
Redo redoOf(R (*fn)(P...))
{
    return Redo(invokerOf(fn), reinterpret_cast<void (*)()>(fn));
}

#ifdef TARNVALE_NO_INSPECTOR
inline bool active() { return false; }
inline void finish(const glweb::Context&) {}
inline void frameBegins() {}
inline void frameEnds() {}
inline void listCallKept(unsigned, size_t) {}
inline void listCallMade(unsigned, size_t) {}
struct Noted {
    Noted() = default;
    Noted(const char*, std::vector<double>, Redo, bool = false) {}
    Noted(const char*, const double*, size_t, Invoke, void (*)()) {}
    void keep(const void*, size_t) const {}
};
#else
// Whether the entry points note every call; off, they pay one test each.
extern bool recording;
// No frame is being drawn: from one flush to the next frame's start.
extern bool betweenFrames;
inline bool active() { return recording || betweenFrames; }
inline void frameBegins() { betweenFrames = false; }
inline void frameEnds() { betweenFrames = true; }

// A call's note, open while the call runs.
// `direct`: its Redo works on the context itself, not through the entry
// point, so the note is made around it.
size_t openCall(const char* name, std::vector<double> args, Redo redo, bool direct = false);
void closeCall(size_t note);
// Keeps with the note the data its call was made with (a bitmap's bits,
// pixels, a map's points), for the frame saved as C.
void keepData(size_t note, const void* data, size_t bytes);
// The frame is complete: keeps the triangles `context` is about to send and
// stops noting.
void finish(const glweb::Context& context);
// Display lists: a call kept at `position` of `list` as it is compiled,
// where the platform takes the program's call stack; and the list's call
// about to be made, which the notes made inside it carry.
void listCallKept(unsigned list, size_t position);
void listCallMade(unsigned list, size_t position);

class Noted {
public:
    Noted() = default;
    Noted(const char* name, std::vector<double> args, Redo redo, bool direct = false)
        : note_(openCall(name, std::move(args), std::move(redo), direct))
    {
    }
    // An entry point of numbers, made again by `invoke` (record.cpp).
    Noted(const char* name, const double* args, size_t count, Invoke invoke, void (*fn)());
    ~Noted()
    {
        if (note_ != none)
            closeCall(note_);
    }
    Noted(const Noted&) = delete;
    Noted& operator=(const Noted&) = delete;
    void keep(const void* data, size_t bytes) const
    {
        if (note_ != none)
            keepData(note_, data, bytes);
    }

private:
    static constexpr size_t none = ~(size_t)0;
    size_t note_ = none;
};
#endif

// What NOTED gives its arguments to: the note of a call of `fn`, made only
// while the inspector listens.
template <class F>
struct Noting {
    const char* name;
    F fn;
    template <class... A>
    Noted operator()(A... args) const
    {
        if (!active())
            return Noted();
        const double numbers[sizeof...(A) + 1] = {(double)args..., 0};
        return Noted(name, numbers, sizeof...(A), invokerOf(fn), reinterpret_cast<void (*)()>(fn));
    }
};

template <class F>
Noting<F> noting(const char* name, F fn)
{
    return {name, fn};
}

// The numbers NOTED_AS shows: given one by one, as a vector, or as a run.
template <class... A>
std::vector<double> values(A... a)
{
    return {(double)a...};
}
inline std::vector<double> values(std::vector<double> v) { return v; }
template <class T>
std::vector<double> values(const T* first, const T* last)
{
    return std::vector<double>(first, last);
}

}  // namespace inspect

// The note of an entry point whose arguments are all numbers, made again
// through `fn` (the entry point or the one it becomes): NOTED("glRotatef",
// glRotatef, (a, x, y, z)).
#define NOTED(name, fn, args) [[maybe_unused]] const inspect::Noted noted_ = inspect::noting(name, fn) args
// The note of any other: the numbers shown, and how to make it again (a
// Redo, which may hold commas).
#define NOTED_AS(name, numbers, ...)                                                                        \
    [[maybe_unused]] const inspect::Noted noted_ =                                                         \
        inspect::active() ? inspect::Noted(name, inspect::values numbers, __VA_ARGS__) : inspect::Noted()
// The same for a call made again on the context itself, with the data it
// was given then (a bitmap, pixels, a map's points).
#define NOTED_DIRECT(name, numbers, ...)                                                                    \
    [[maybe_unused]] const inspect::Noted noted_ =                                                          \
        inspect::active() ? inspect::Noted(name, inspect::values numbers, __VA_ARGS__, true) : inspect::Noted()
