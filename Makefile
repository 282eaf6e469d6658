# Set-up, build, install and test on Debian 12. `make run` and `make test` do everything.
APPDIR ?= $(HOME)/Hoardly
BUILD  ?= build
JOBS   ?= $(shell nproc)

.PHONY: run test deps configure build install screenshot clean

run: install
	cd "$(APPDIR)" && ./hoardly

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

deps:
	@bash scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Copies the program and its help book; starter tables only where the directory lacks them.
install: build
	cmake --install $(BUILD) --prefix "$(APPDIR)"

# A PNG of a window under Xvfb: make screenshot WINDOW=main OUT=docs/screenshots/main.png
screenshot: build
	bash scripts/screenshot.sh $(BUILD) $(WINDOW) $(OUT)

clean:
	rm -rf $(BUILD)
