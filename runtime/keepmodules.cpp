// Linked into the sanitizer build of the program only: libraries loaded at
// run time stay mapped until the process ends. LeakSanitizer checks at exit;
// a library unloaded before then takes its globals with it, so memory they
// still held looks leaked, from a module LeakSanitizer can no longer name.
// Mesa's software driver, which Qt's Wayland plugin loads through EGL and
// unloads when it ends its EGL display, keeps such a table of the processor's
// caches on processors that report them.
extern "C" int dlclose(void*)
{
    return 0;
}
