# The configuration of the user's build. scripts/run builds the program with it;
# scripts/test builds and tests the same configuration (adding the tests and
# warnings as errors), so that what a clerk builds is what CI has tested.
ksf_release_config=(-G Ninja -DCMAKE_BUILD_TYPE=Release)
