// keep_modules.cpp -- preloaded into the sanitizer test runs only: keeps every dlopen'ed module loaded
// until the process ends.
//
// The Mesa OpenGL driver holds allocations for the whole run and points to them from its own globals. It
// is unloaded during exit, before LeakSanitizer looks, and those allocations would then show up as leaks
// with no stack to tell them apart from ours. With the module still loaded they stay reachable, while an
// enemy or player the game forgot to delete is still reported.
extern "C" int dlclose(void*)
{
    return 0;
}
