// The test suites' common headers are parsed once, for this file, and reused by every suite.
