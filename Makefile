# The two commands a user needs:
#   make run   - install what is missing, build, make the textures, start Tarnvale
#   make test  - the same set-up, then the whole test suite (display tests under Xvfb)

BUILD    := build
JOBS     := $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make clang libclang-rt-14-dev freeglut3-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri \
            libgtest-dev libgmock-dev libbenchmark-dev libstb-dev xvfb xauth xdotool x11-utils imagemagick valgrind

.PHONY: run test build deps bench fuzz clean

run: build
	cd $(BUILD)/run && ../tarnvale

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	cd $(BUILD) && ./bench/run_benchmarks.sh

# Ten million inputs through the BMP reader under AddressSanitizer and
# UndefinedBehaviorSanitizer; prints inputs, seconds, coverage and findings.
fuzz: build
	fuzz/run_fuzz.sh $(BUILD) -runs=10000000

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Installs the missing Debian packages when run as root; otherwise prints the
# exact command and stops.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	  else \
	    echo "These packages are missing. Install them with:"; \
	    echo "  sudo apt-get install$$missing"; \
	    exit 1; \
	  fi; \
	fi

clean:
	rm -rf $(BUILD)
