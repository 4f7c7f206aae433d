// Built into the test and fuzz programs of sanitizer builds: leaks of system libraries
// that keep their data until the process ends are not ours to report.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
