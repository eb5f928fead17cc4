// SPDX-License-Identifier: MIT
// In a sanitizer build the host must still die by the signal a plug-in
// library raises, and end with the status the library chose, so that the
// program reports what happened as in a normal build.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options()
{
    return "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0:"
           "detect_leaks=0";
}
#endif
