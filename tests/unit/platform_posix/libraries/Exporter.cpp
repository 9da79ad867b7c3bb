// A helper library that another test library needs.
extern "C" __attribute__((visibility("default"))) int loader_probe_shared() { return 1; }
