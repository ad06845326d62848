# The two commands a user needs:
#   make run   - install what running needs, build the program and the textures, start Tarnvale
#   make test  - install and build everything, then the whole test suite (display tests under Xvfb)
# and the others: make bench, make conformance, make fuzz, make web, make web-serve, make examples,
# make web-program SRC="a.c b.c", make install, make package.

BUILD   := build
JOBS    := $(shell nproc 2>/dev/null || echo 2)
PREFIX  ?= /usr/local
CMAKE   := cmake -S . -B $(BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo

RUN_PACKAGES  := cmake make clang freeglut3-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri
TEST_PACKAGES := $(RUN_PACKAGES) libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev libstb-dev \
                 xvfb xauth xdotool x11-utils imagemagick valgrind dpkg-dev lintian desktop-file-utils man-db
WEB_PACKAGES  := emscripten node-acorn node-jsdom python3 chromium chromium-driver python3-selenium fonts-nanum \
                 xfonts-base xfonts-75dpi hershey-fonts-data python3-pil libjs-three zopfli

.PHONY: run test conformance build build-program build-docs build-textures deps-run deps-test deps-web bench fuzz web web-serve examples web-program install package clean

run: build-program
	cd $(BUILD)/run && ../tarnvale

test: build web
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build web
	cd $(BUILD) && ./bench/run_benchmarks.sh

# Ten million inputs through the BMP reader under AddressSanitizer and
# UndefinedBehaviorSanitizer; prints inputs, seconds, coverage and findings.
fuzz: build
	fuzz/run_fuzz.sh $(BUILD) -runs=10000000

# Only the program and the texture generator: the quickest way to the house.
build-program: deps-run
	$(CMAKE) -DTARNVALE_TESTS=OFF -DTARNVALE_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS) --target tarnvale textures

# The textures alone, in a build configured either way.
build-textures: deps-run
	[ -f $(BUILD)/CMakeCache.txt ] || $(CMAKE) -DTARNVALE_TESTS=OFF -DTARNVALE_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS) --target textures

build: deps-test
	$(CMAKE) -DTARNVALE_TESTS=ON -DTARNVALE_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

# The package's documentation: changelog and manual page, compressed.
build-docs: build-program
	cmake --build $(BUILD) --target docs

install: build-docs
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: build-docs
	@tools/install_packages.sh dpkg-dev
	cd $(BUILD) && cpack -G DEB

web: deps-web build-textures
	web/build.sh $(BUILD)
	tests/conformance/build_page.sh $(BUILD)

# The differential tester on PROGRAMS random programs (make test runs 200).
PROGRAMS ?= 1000
conformance: build web
	cd $(BUILD) && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" /usr/bin/python3 \
	    ../tests/conformance/conformance.py tests/conformance_runner conformance-page --seeds 0:$(PROGRAMS)

# The classic programs of examples/, built natively into build/examples.
examples: deps-run
	[ -f $(BUILD)/CMakeCache.txt ] || $(CMAKE) -DTARNVALE_TESTS=OFF -DTARNVALE_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS) --target examples

# A GLUT program of one's own as a page: make web-program SRC="a.c b.c" [FILES="data.txt"]
web-program: deps-web
	@[ -n "$(SRC)" ] || { echo 'usage: make web-program SRC="a.c b.c" [FILES="data.txt"]'; exit 2; }
	web/build_program.sh $(BUILD)/web-program/$(basename $(notdir $(firstword $(SRC)))) $(SRC) $(FILES)

web-serve: web
	web/serve.sh $(BUILD)/web

# Installs the missing Debian packages when run as root; otherwise prints the
# exact command and stops.
deps-run:
	@tools/install_packages.sh $(RUN_PACKAGES)
deps-test:
	@tools/install_packages.sh $(TEST_PACKAGES)
deps-web:
	@tools/install_packages.sh $(WEB_PACKAGES)
	@command -v npm >/dev/null || tools/install_packages.sh npm
	@[ -f node_modules/libtess/libtess.min.js ] || npm ci --no-audit --no-fund

clean:
	rm -rf $(BUILD)
