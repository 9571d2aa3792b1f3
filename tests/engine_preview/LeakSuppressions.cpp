// The font library keeps a few allocations of its configuration parse for
// the life of the process; the leak checker is told so, nothing else.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
