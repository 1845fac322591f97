# Keep of the Morvath: the commands of the README.
#   make play   installs what is missing, builds, and starts the game
#   make test   installs what is missing, builds, and runs every test (also under sanitizers)
#   make deb    installs what is missing and builds the Debian package into dist/
#   make deb ARCH=arm64   the same, cross-built for arm64
#   make test-arm64       builds for arm64, runs its core and window tests under qemu-user and
#                         checks its package against this machine's

.PHONY: play test deb deps deps-tests deps-arm64 build build-asan build-arm64 test-arm64 clean \
        format

play: build
	./build/morvath

test: deps-tests build build-asan
	ctest --preset default
	ctest --preset asan

ifeq ($(ARCH),)
deb: deps-tests
	scripts/make-deb
else
deb:
	@scripts/install-deps --$(ARCH)
	scripts/make-deb --arch $(ARCH)
endif

test-arm64: build-arm64
	ctest --preset arm64
	tests/package/cross_package_test.sh $(CURDIR) $(CURDIR)/build-arm64 arm64

deps:
	@scripts/install-deps

deps-tests:
	@scripts/install-deps --tests

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan

deps-arm64:
	@scripts/install-deps --arm64

build-arm64: deps-arm64
	cmake --preset arm64 >/dev/null
	cmake --build --preset arm64

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-arm64 build-deb build-deb-* dist
