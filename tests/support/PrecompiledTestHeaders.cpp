// The translation unit that builds the test programs' shared precompiled header
// (tests/CMakeLists.txt, TALLY_TEST_PCH); it has no code of its own.
