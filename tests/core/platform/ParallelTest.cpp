#include "core/platform/Parallel.h"

#include "core/platform/FileError.h"
#include "core/platform/TextFile.h"
#include "tests/support/Doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

using namespace rs;
using rs::test::FileSizeLimit;
using rs::test::ReadBytes;
using rs::test::TempDir;

namespace {

// Part k's text, every third part small, the others several times what a part may hold, some
// in one piece longer than that. Records the most any part held.
void FillPart(std::size_t k, PartText& text, std::atomic<std::size_t>* most) {
    auto held = [&] {
        if (!most) return;
        for (std::size_t m = most->load(); m < text.text().size();)
            if (most->compare_exchange_weak(m, text.text().size())) break;
    };
    const std::string tag = std::to_string(k) + ":";
    if (k % 3 == 0) {
        text.line(tag);
    } else {
        for (std::size_t i = 0; i < 3 * kPartHeld / 1000; ++i) {
            text.append(tag);
            text.line(std::string(900 + (i * 37 + k) % 200, static_cast<char>('a' + k % 26)));
            held();
        }
    }
    if (k % 3 == 2) text.line(tag + std::string(kPartHeld + 100, 'z'));
    held();
}

}  // namespace

TEST(WriteParts, KeepsTheOrderOfThePartsAndHoldsNoPartPastItsLimit) {
    TempDir dir;
    constexpr std::size_t kCount = 12;
    std::string whole;
    for (std::size_t k = 0; k < kCount; ++k) {
        PartText text;
        FillPart(k, text, nullptr);
        whole += text.text();
    }
    std::atomic<std::size_t> most{0};
    TextWriter out(dir.file("out.txt"));
    WriteParts(out, kCount, [&](std::size_t k, PartText& text) { FillPart(k, text, &most); });
    out.close();
    EXPECT_TRUE(ReadBytes(dir.file("out.txt")) == whole);
    EXPECT_LE(most.load(), kPartHeld);
}

// A part that fails, or a write that fails, while the other parts wait for their turn.
TEST(WriteParts, AFailureIsThrownHereOnceEveryThreadHasStopped) {
    TempDir dir;
    std::atomic<int> running{0};
    auto fill = [&](std::size_t k, PartText& text, bool failFirst) {
        ++running;
        struct Leave {
            std::atomic<int>& count;
            ~Leave() { --count; }
        } leave{running};
        if (failFirst && k == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            throw std::runtime_error("part 0");
        }
        FillPart(k, text, nullptr);
    };
    {
        TextWriter out(dir.file("fill.txt"));
        try {
            WriteParts(out, 64, [&](std::size_t k, PartText& text) { fill(k, text, true); });
            ADD_FAILURE() << "nothing thrown";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "part 0");
        }
        EXPECT_EQ(running.load(), 0);
    }
    {
        FileSizeLimit limit(1000);
        TextWriter out(dir.file("write.txt"));
        EXPECT_THROW(WriteParts(out, 64, [&](std::size_t k, PartText& text) { fill(k, text, false); }),
                     FileError);
        EXPECT_EQ(running.load(), 0);
    }
}

TEST(RunAside, WhatIdleThrowsIsThrownHereOnceTheWorkIsOver) {
    std::atomic<bool> over{false};
    try {
        RunAside(
            [&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                over = true;
            },
            [] { throw std::runtime_error("idle"); });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "idle");
        EXPECT_TRUE(over.load());
    }
}
