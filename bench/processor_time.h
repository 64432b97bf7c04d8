#pragma once
// Processor time of the running process in seconds: what the benchmarks report, since on a
// machine shared with builds the wall clock measures the neighbours too. The Windows build asks
// the system (also under Wine); std::clock there counts wall time.

double ProcessorSeconds();
