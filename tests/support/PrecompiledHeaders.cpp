// Only here so that the tests' precompiled header has a target to be built with.
