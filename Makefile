# Keep of the Morvath: the commands of the README.
#   make play   installs what is missing, builds, and starts the game
#   make test   installs what is missing, builds, and runs every test (also under sanitizers)
#   make deb    installs what is missing and builds the Debian package into dist/

.PHONY: play test deb deps deps-tests build build-asan clean format

play: build
	./build/morvath

test: deps-tests build build-asan
	ctest --preset default
	ctest --preset asan

deb: deps-tests
	scripts/make-deb

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

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-deb dist
