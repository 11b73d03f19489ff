# Shortcuts; the scripts in scripts/ do the work.
.PHONY: bench

bench:
	bash scripts/bench.sh
