// A test library that needs the exporter and exports only its own probe.
extern "C" int loader_probe_shared();

extern "C" __attribute__((visibility("default"))) int loader_probe_own() { return 1 + loader_probe_shared(); }
