// The benchmark harness: every case measures one library call and the
// baselines it is judged against, on the same bytes in the same run.
//
// A case registers variants named "<case>/<variant>". The variant "lib" is
// the library call; the others are baselines:
//   floor   the least work the interface forces on any implementation of the
//           load: calloc every block of the resulting record at its final
//           size, write each byte of it once (memcpy where the bytes come
//           straight from the input), free them all;
//   plain   the same job done the obvious way without the library (a plain
//           open and read, a plain look-up loop);
//   memcpy  a copy of the input into a block allocated beforehand.
// Every variant counts the same input bytes per call, so the ratio of two
// throughputs is the ratio of their speeds. bench/report.py pairs them up.
// Times are the process's CPU time (page-cache reads included, as system
// time): on a shared machine, wall time mostly measures the neighbours.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace vexl::bench {

using Bytes = std::vector<uint8_t>;

// What a variant times: one call of `run`, counted as `inputBytes` bytes.
// `recordBytes`, when known, is the size of the record a load produces;
// `callsPerRun`, when set, the number of library calls one run makes.
template <class Run> struct Job {
    uint64_t inputBytes;
    Run run;
    uint64_t recordBytes = 0;
    uint64_t callsPerRun = 0;
};
template <class Run> Job<Run> job(uint64_t inputBytes, Run run) {
    return {inputBytes, std::move(run)};
}

// Registers "<case>/<variant>". `make()` runs once before the timed loop
// (building inputs, files and baselines there, untimed) and returns the Job.
template <class Make>
void addVariant(const std::string& caseName, const std::string& variant, Make make) {
    benchmark::RegisterBenchmark(
        (caseName + "/" + variant).c_str(), [make](benchmark::State& state) {
            auto timed = make();
            for (auto _ : state) {
                timed.run();
                benchmark::ClobberMemory();
            }
            state.SetBytesProcessed(static_cast<int64_t>(timed.inputBytes) *
                                    static_cast<int64_t>(state.iterations()));
            if (timed.recordBytes != 0) {
                state.counters["record_bytes"] = static_cast<double>(timed.recordBytes);
            }
            if (timed.callsPerRun != 0) {
                state.SetItemsProcessed(static_cast<int64_t>(timed.callsPerRun) *
                                        static_cast<int64_t>(state.iterations()));
            }
        });
}

// Registers "<case>/lib" and "<case>/<baseline>" as a pair: every iteration
// of either runs both calls in turn and times only its own. A burst of other
// work on a shared machine then falls on both alike, which matters where the
// goal is a ratio near 1 and a call takes milliseconds (the pause costs a
// microsecond or two, the same for both).
template <class MakeLib, class MakeBaseline>
void addPairedVariants(const std::string& caseName, const std::string& baseline, MakeLib makeLib,
                       MakeBaseline makeBaseline) {
    auto registerOne = [&caseName](const std::string& variant, auto makeTimed, auto makeOther) {
        benchmark::RegisterBenchmark(
            (caseName + "/" + variant).c_str(), [makeTimed, makeOther](benchmark::State& state) {
                auto timed = makeTimed();
                auto other = makeOther();
                for (auto _ : state) {
                    state.PauseTiming();
                    other.run();
                    state.ResumeTiming();
                    timed.run();
                    benchmark::ClobberMemory();
                }
                state.SetBytesProcessed(static_cast<int64_t>(timed.inputBytes) *
                                        static_cast<int64_t>(state.iterations()));
            });
    };
    registerOne("lib", makeLib, makeBaseline);
    registerOne(baseline, makeBaseline, makeLib);
}

// One block of a loaded record: its size, and the input bytes it is a copy
// of, or null when the loader computes its contents.
struct Block {
    uint64_t size;
    const uint8_t* source;
};

// The contract floor of a load that produces `blocks`.
class Floor {
  public:
    explicit Floor(std::vector<Block> blocks)
        : blocks_(std::move(blocks)), held_(blocks_.size(), nullptr) {}

    void run() {
        for (size_t i = 0; i < blocks_.size(); ++i) {
            auto* block = static_cast<uint8_t*>(std::calloc(blocks_[i].size, 1));
            if (blocks_[i].source != nullptr) {
                std::memcpy(block, blocks_[i].source, blocks_[i].size);
            } else {
                std::memset(block, 0x5A, blocks_[i].size);
            }
            held_[i] = block;
        }
        benchmark::DoNotOptimize(held_.data());
        benchmark::ClobberMemory();
        for (void*& block : held_) {
            std::free(block);
            block = nullptr;
        }
    }
    uint64_t totalBytes() const {
        uint64_t total = 0;
        for (const Block& block : blocks_) {
            total += block.size;
        }
        return total;
    }

  private:
    std::vector<Block> blocks_;
    std::vector<void*> held_;
};

// Registers the "memcpy" baseline of a case: the input, as `input()`
// returns it, copied into a block allocated once outside the timed loop.
template <class Input> void addInputCopy(const std::string& caseName, Input input) {
    addVariant(caseName, "memcpy", [input] {
        const Bytes& bytes = input();
        return job(bytes.size(), [&bytes, copy = Bytes(bytes.size())]() mutable {
            std::memcpy(copy.data(), bytes.data(), bytes.size());
            benchmark::DoNotOptimize(copy.data());
        });
    });
}

// Registers the "floor" baseline of a case from the blocks its record holds.
template <class Input, class Blocks>
void addFloor(const std::string& caseName, Input input, Blocks blocks) {
    addVariant(caseName, "floor", [input, blocks] {
        const Bytes& bytes = input();
        Floor floor(blocks(bytes));
        const uint64_t recordBytes = floor.totalBytes();
        auto timed = job(bytes.size(), [floor = std::move(floor)]() mutable { floor.run(); });
        timed.recordBytes = recordBytes;
        return timed;
    });
}

// Standard output sent to the null device while it lives (the map checker
// reports on the console), restored afterwards.
class StdoutToNull {
  public:
    StdoutToNull();
    ~StdoutToNull();
    StdoutToNull(const StdoutToNull&) = delete;
    StdoutToNull& operator=(const StdoutToNull&) = delete;

  private:
    int saved_;
};

// The directory that holds the file cases' files for the whole run.
const std::string& benchDirectory();
// Writes `bytes` to a file of the bench directory and returns its path.
std::string writeBenchFile(const std::string& name, const Bytes& bytes);

// A plain read of `length` bytes at `offset` of a file: open, malloc, pread,
// close. The caller frees the block. `length` 0 reads the whole file.
uint8_t* plainRead(const std::string& path, uint64_t offset, uint64_t length);

// Runs `registerCases` while static objects are built, the way benchmark
// registration is normally done; each *_bench.cpp holds one.
struct Registrar {
    explicit Registrar(void (*registerCases)()) { registerCases(); }
};

} // namespace vexl::bench
