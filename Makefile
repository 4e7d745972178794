# Quellery: build, test, run and benchmark on Debian 12 (see README.md).
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
JOBS ?= 2
TOOLCHAIN_win32 := $(CURDIR)/cmake/mingw-i686.cmake
TOOLCHAIN_win64 := $(CURDIR)/cmake/mingw-x86_64.cmake
# The Windows build that Wine can run here: win32, or win64 where the kernel
# cannot run 32-bit x86 code. Expanded in recipes, after deps has run.
WINRUN = $(shell scripts/wine-arch.sh)
# The programs the Windows tests run trust the tests' upgrade key: build/win32 holds the
# shipped programs and, in win32/for-tests, the tests' ones, made of the same objects;
# build/win64 is never shipped and trusts the tests' key itself.

# ctest's parallel tests: the end-to-end runs mostly wait on the program under test.
TEST_JOBS ?= 8

.PHONY: deps build test check run bench fuzz dist stop clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B build/host
	cmake --build build/host -j$(JOBS)
	cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN_win32)
	@if [ "$(WINRUN)" = win32 ]; then \
	  cmake --build build/win32 -j$(JOBS); \
	else \
	  echo "Wine cannot run 32-bit programs here: testing a $(WINRUN) build"; \
	  cmake --build build/win32 -j$(JOBS) --target Quellery iea bad_imports && \
	  cmake -S . -B build/$(WINRUN) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN_$(WINRUN)) && \
	  cmake --build build/$(WINRUN) -j$(JOBS); \
	fi

# One CTest run over the host tests, the Wine-run Windows tests and the import
# check of the shipped 32-bit programs (which needs no Wine). It ends with the time
# each group took (ctest's label summary) and the summary for everything.
test: build
	@if [ "$(WINRUN)" = win32 ]; then printf 'subdirs("host")\nsubdirs("win32")\n'; \
	  else printf 'subdirs("host")\nsubdirs("$(WINRUN)")\nsubdirs("win32/tests/imports")\n'; fi >build/CTestTestfile.cmake
	@status=0; start=$$SECONDS; \
	  ctest --test-dir build --output-on-failure -j$(TEST_JOBS) || status=$$?; \
	  echo "make test: the tests took $$((SECONDS - start)) s"; \
	  if [ "$(WINRUN)" = win32 ]; then echo "The Windows tests ran the 32-bit build (build/win32/for-tests: the shipped objects, linked to trust the tests' upgrade key)."; \
	  else echo "The Windows tests ran the 64-bit build (build/$(WINRUN)): Wine here cannot run 32-bit programs."; fi; \
	  exit $$status

# The layer check and the host tests alone, for the edit-compile-test loop.
check: deps
	scripts/check-layers.py
	cmake -S . -B build/host
	cmake --build build/host -j$(JOBS) --target host_tests
	build/host/host_tests --gtest_brief=1

# Builds only the programs it starts, while the Wine prefix is made (once, a quarter
# of a new machine's first run).
run: deps
	cmake -S . -B build/$(WINRUN) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN_$(WINRUN))
	@scripts/wine-run.sh --prepare >build/prepare.log 2>&1 & prepare=$$!; \
	  cmake --build build/$(WINRUN) -j$(JOBS) --target Quellery iea; built=$$?; \
	  wait $$prepare || echo "run: the Wine prefix is made again on start (build/prepare.log)"; \
	  [ $$built = 0 ] && scripts/run.sh

bench: deps
	cmake -S . -B build/host
	cmake --build build/host -j$(JOBS) --target bench
	@for b in build/host/bench/*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b"; "$$b" || exit 1; done
	cmake -S . -B build/$(WINRUN) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN_$(WINRUN))
	cmake --build build/$(WINRUN) -j$(JOBS) --target Quellery wine_bench
	@echo "== Wine: scripts/wine-bench.sh build/$(WINRUN)"
	@scripts/wine-bench.sh build/$(WINRUN)

# The readers of other programs' files under libFuzzer, one after another, each until stopped
# (Ctrl+C stops all) or for FUZZ_SECONDS: registry.dat, profiles.ini, Local State and cookies4.dat.
FUZZERS = registry_dat_fuzz:registry-dat.dict:seeds profiles_ini_fuzz:profiles-ini.dict:profiles-ini-seeds \
	local_state_fuzz:local-state.dict:local-state-seeds opera_cookies_fuzz:opera-cookies.dict:opera-cookies-seeds
fuzz: deps
	cmake -S . -B build/host
	cmake --build build/host -j$(JOBS) --target fuzzers
	for f in $(FUZZERS); do set -- $$(echo $$f | tr : ' '); \
	  build/host/fuzz/$$1 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build/host/fuzz/ -dict=tests/fuzz/$$2 \
	    $(if $(FUZZ_SECONDS),-max_total_time=$(FUZZ_SECONDS)) build/host/fuzz/corpus-$$1 tests/fuzz/$$3 || exit 1; \
	done

# The installer and the portable zip of the 32-bit programs, in build/win32/dist.
# Refused for a program that trusts the tests' upgrade keys.
dist: deps
	cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN_win32)
	cmake --build build/win32 -j$(JOBS) --target Quellery
	cmake -DPROGRAM=build/win32/Quellery.exe -DSHIPPED_KEYS=src/upgrade/TrustedKeys.txt \
	  -DTEST_KEYS=tests/TestTrustedKeys.txt -P cmake/CheckShippedKeys.cmake
	cmake --build build/win32 -j$(JOBS) --target dist
	@ls -l build/win32/dist/*.exe build/win32/dist/*.zip

# Ends the project's Wine processes and its Xvfb servers.
stop:
	@for p in build/wineprefix*; do \
	  [ -d $$p ] && WINEPREFIX=$(CURDIR)/$$p wineserver -k 2>/dev/null; done; true
	@for f in build/xvfb*.pid; do pid=$$(cat $$f 2>/dev/null) && \
	  grep -qa Xvfb /proc/$$pid/cmdline 2>/dev/null && kill $$pid; done; true

clean: stop
	rm -rf build
