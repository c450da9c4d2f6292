// frame_counter.cpp -- preloaded into a game or demo under test: counts the frames it presents, and can stop it
// after a chosen frame, so a test knows exactly which frame a program is in without touching its code.
//
// A program reaches glXSwapBuffers in one of three ways, and each gets the counting one below:
//   linked against the GL library (SFML 2.5, shared)    the preloaded definition comes first
//   through glXGetProcAddress or glXGetProcAddressARB   ours hand back the counting one for that name
//   dlopen of the GL library, then dlsym on its handle  (SFML 2.6's loader) dlopen hands back this library,
//                                                       which links the GL library: lookups on the handle find
//                                                       ours first and the GL library's for everything else
//
// PELMORA_FRAME_LOG=path   the count of buffer swaps so far, rewritten after every swap (0 from start-up on)
// PELMORA_STOP_AFTER=n,m   the process stops itself (SIGSTOP) right after its n-th swap, and its m-th, and so
//                          on for every number in the list; SIGCONT resumes it
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int logFile = -1;
unsigned long long swaps = 0;
// Swaps after which to stop; a fixed table, so the counter allocates nothing the leak checkers would see.
unsigned long long stopAfter[32];
int stops = 0;

void WriteCount()
{
    if (logFile < 0)
        return;
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%20llu\n", swaps);
    ssize_t written = pwrite(logFile, text, static_cast<size_t>(length), 0);
    (void)written;
}

// Runs at load, before the program's main: a log reading 0 proves the counter is in place.
__attribute__((constructor)) void Start()
{
    if (const char* path = std::getenv("PELMORA_FRAME_LOG"))
        logFile = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (const char* frames = std::getenv("PELMORA_STOP_AFTER")) {
        char* next = const_cast<char*>(frames);
        while (stops < 32) {
            char* end = next;
            const unsigned long long frame = std::strtoull(next, &end, 10);
            if (end == next)
                break;
            stopAfter[stops++] = frame;
            next = *end == ',' ? end + 1 : end;
        }
    }
    WriteCount();
}

}  // namespace

// GLX's own declarations, without needing its headers: a display (opaque here) and a drawable (an X id).
using Swap = void (*)(void*, unsigned long);
using Proc = void (*)();
using GetProc = Proc (*)(const unsigned char*);

extern "C" void glXSwapBuffers(void* display, unsigned long drawable)
{
    static const Swap next = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    next(display, drawable);
    ++swaps;
    WriteCount();
    for (int i = 0; i < stops; ++i) {
        if (stopAfter[i] == swaps)
            raise(SIGSTOP);
    }
}

namespace {

// Ours for the names this library stands in for, otherwise the GL library's answer.
Proc Lookup(GetProc next, const unsigned char* name);

}  // namespace

extern "C" Proc glXGetProcAddressARB(const unsigned char* name)
{
    static const GetProc next = reinterpret_cast<GetProc>(dlsym(RTLD_NEXT, "glXGetProcAddressARB"));
    return Lookup(next, name);
}

extern "C" Proc glXGetProcAddress(const unsigned char* name)
{
    static const GetProc next = reinterpret_cast<GetProc>(dlsym(RTLD_NEXT, "glXGetProcAddress"));
    return Lookup(next, name);
}

namespace {

Proc Lookup(GetProc next, const unsigned char* name)
{
    const char* text = reinterpret_cast<const char*>(name);
    if (std::strcmp(text, "glXSwapBuffers") == 0)
        return reinterpret_cast<Proc>(&glXSwapBuffers);
    if (std::strcmp(text, "glXGetProcAddressARB") == 0)
        return reinterpret_cast<Proc>(&glXGetProcAddressARB);
    if (std::strcmp(text, "glXGetProcAddress") == 0)
        return reinterpret_cast<Proc>(&glXGetProcAddress);
    return next ? next(name) : nullptr;
}

// The names a program opens the GL library by.
bool IsGlLibrary(const char* file)
{
    const char* slash = std::strrchr(file, '/');
    const char* base = slash ? slash + 1 : file;
    return std::strcmp(base, "libGL.so.1") == 0 || std::strcmp(base, "libGL.so") == 0 ||
           std::strcmp(base, "libGLX.so.0") == 0;
}

}  // namespace

extern "C" void* dlopen(const char* file, int mode) noexcept
{
    using Open = void* (*)(const char*, int);
    static const Open next = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "dlopen"));
    if (!file || !IsGlLibrary(file))
        return next(file, mode);
    // Opened for real first, so a program that can't have the GL library still hears so.
    void* gl = next(file, mode);
    Dl_info self;
    if (!gl || !dladdr(reinterpret_cast<void*>(&glXSwapBuffers), &self) || !self.dli_fname)
        return gl;
    void* counter = next(self.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    return counter ? counter : gl;
}
