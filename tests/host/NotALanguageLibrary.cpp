// A valid shared library that lacks the resource function a language library must export.
extern "C" __attribute__((visibility("default"))) int vexolTestSomethingElse() { return 7; }
