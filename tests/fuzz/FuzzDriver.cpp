// A short, deterministic fuzzing run for the test suite: every seed, then mutations of the
// seeds (byte flips, insertions of bytes the parsers care about, deletions, duplications and
// splices) for a fixed number of inputs. A crash, a sanitizer report or a hang fails the test.
// Built with clang and DULVET_LIBFUZZER, the same targets run under libFuzzer instead.
#include "FuzzTarget.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

const char* const kDictionary[] = {"\xEF\xBC\x91",
                                   "\xD9\xA1",
                                   "\xC4\xB0",
                                   "\xC5\x9F",
                                   "9e9",
                                   "-1",
                                   "1e308",
                                   "'",
                                   "\"",
                                   "(",
                                   ")",
                                   "[",
                                   "]",
                                   "=",
                                   "<>",
                                   "and ",
                                   "or ",
                                   "not ",
                                   "\r\n",
                                   "\n",
                                   "\0",
                                   "\xFF\xFF\xFF\xFF",
                                   "\x7F\xFF\xFF\xFF",
                                   "{",
                                   "}",
                                   ":",
                                   ",",
                                   "01.01.2026",
                                   "#ff",
                                   "null"};

std::string mutate(std::string input, std::mt19937& random)
{
    const auto pick = [&](size_t n) { return n == 0 ? size_t(0) : size_t(random() % n); };
    const int steps = 1 + int(random() % 4);
    for (int step = 0; step < steps; ++step) {
        switch (random() % 6) {
        case 0:
            if (!input.empty()) input[pick(input.size())] ^= char(1 << (random() % 8));
            break;
        case 1:
            input.insert(pick(input.size() + 1), 1, char(random() % 256));
            break;
        case 2: {
            const char* word = kDictionary[pick(std::size(kDictionary))];
            input.insert(pick(input.size() + 1), word, word[0] ? std::strlen(word) : 1);
            break;
        }
        case 3:
            if (!input.empty()) {
                const size_t at = pick(input.size());
                input.erase(at, 1 + pick(std::min<size_t>(16, input.size() - at)));
            }
            break;
        case 4:
            if (!input.empty()) {
                const size_t at = pick(input.size());
                const size_t n = 1 + pick(std::min<size_t>(32, input.size() - at));
                input.insert(pick(input.size() + 1), input.substr(at, n));
            }
            break;
        case 5:
            if (!input.empty()) input.resize(pick(input.size()));
            break;
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    int runs = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::vector<std::string> seeds;
    for (const QByteArray& seed : fuzzSeeds())
        seeds.emplace_back(seed.constData(), size_t(seed.size()));
    if (seeds.empty()) seeds.emplace_back();
    for (const std::string& seed : seeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
    std::mt19937 random(20261209);
    for (int i = 0; i < runs; ++i) {
        std::string input = mutate(seeds[random() % seeds.size()], random);
        if (random() % 8 == 0) input += mutate(seeds[random() % seeds.size()], random);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%zu seeds and %d mutated inputs ran\n", seeds.size(), runs);
    return 0;
}
