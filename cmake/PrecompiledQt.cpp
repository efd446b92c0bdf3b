// Only here so that the precompiled Qt header has a target to be built with.
