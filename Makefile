# Keep of the Morvath: the two commands of the README.
#   make play   installs what is missing, builds, and starts the game
#   make test   installs what is missing, builds, and runs every test (also under sanitizers)

.PHONY: play test deps build build-asan clean format

play: build
	./build/morvath

test: build build-asan
	ctest --preset default
	ctest --preset asan

deps:
	@scripts/install-deps

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan
