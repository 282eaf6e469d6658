# Set-up, build, install and test on Debian 12. `make run` and `make test` do everything.
APPDIR ?= $(HOME)/Hoardly
BUILD  ?= build
JOBS   ?= $(shell nproc)

.PHONY: run test test-release test-sanitize deps configure build install uninstall screenshot clean

run: install
	cd "$(APPDIR)" && ./hoardly

# Every test twice: in the release build, then in a Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer, where Qt's own asserts catch lifetime faults too.
test: test-release test-sanitize

test-release: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
test-sanitize: deps
	@[ -f $(SANITIZE_BUILD)/build.ninja ] || cmake -S . -B $(SANITIZE_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

deps:
	@bash scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Copies the program and its help book; starter tables only where the directory lacks them.
# The desktop entry and the icon put the program into the user's application menu.
install: build
	cmake --install $(BUILD) --prefix "$(APPDIR)"
	bash scripts/desktop-entry.sh install "$(APPDIR)" $(BUILD)

# Takes out the program, its help book, the desktop entry and the icon. The tables and the
# midi folder stay: they are the user's catalogue.
uninstall:
	rm -f "$(APPDIR)/hoardly"
	rm -rf "$(APPDIR)/help"
	bash scripts/desktop-entry.sh uninstall

# A PNG of a window under Xvfb: make screenshot WINDOW=main OUT=docs/screenshots/main.png
screenshot: build
	bash scripts/screenshot.sh $(BUILD) $(WINDOW) $(OUT)

clean:
	rm -rf $(BUILD)
