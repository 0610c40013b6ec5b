// Two threads asking at once must each keep their own caption.
#include <gtest/gtest.h>

#include <barrier>
#include <string>
#include <thread>

#include "lexicon/Lexicon.h"

namespace {

TEST(LexiconThreads, ACaptionSurvivesAnotherThreadsLookup) {
    Init(0, 20);
    std::barrier sync(2);
    std::string first, second;
    std::thread asker([&] {
        const char* mine = GetName("A01");
        sync.arrive_and_wait();  // the other thread looks up now
        sync.arrive_and_wait();
        first = mine;
    });
    std::thread other([&] {
        sync.arrive_and_wait();
        const char* mine = GetName("F10");
        sync.arrive_and_wait();
        second = mine;
    });
    asker.join();
    other.join();
    EXPECT_EQ(first, "FILENAME");
    EXPECT_EQ(second, "COMMENT");
}

}  // namespace
