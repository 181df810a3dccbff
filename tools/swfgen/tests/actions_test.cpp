// ActionScript byte code: pushed values, branches and functions, and the statements the
// script builder turns into them.
#include "assembler.h"
#include "script.h"
#include "swf_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace swfgen {
namespace {

TEST(Assembler, PushEncodesEachValueType)
{
    Assembler a;
    a.push({std::string("x"), int32_t(-1), true, Null{}, Undefined{}});
    EXPECT_EQ(a.finish(), (Bytes{0x96, 0x0C, 0x00,
                                 0x00, 'x', 0x00,                // string
                                 0x07, 0xFF, 0xFF, 0xFF, 0xFF,   // integer -1
                                 0x05, 0x01,                     // boolean true
                                 0x02,                           // null
                                 0x03}));                        // undefined
}

TEST(Assembler, DoublesHaveTheirHalvesSwappedAndWholeNumbersBecomeIntegers)
{
    Assembler a;
    a.push({1.5, 0.1, 3.0, -0.0});
    // 1.5 = 3FF8000000000000, 0.1 = 3FB999999999999A: high word first, each little-endian.
    // -0.0 keeps its sign, so it stays a double.
    EXPECT_EQ(a.finish(), (Bytes{0x96, 0x20, 0x00,
                                 0x06, 0x00, 0x00, 0xF8, 0x3F, 0x00, 0x00, 0x00, 0x00,
                                 0x06, 0x99, 0x99, 0xB9, 0x3F, 0x9A, 0x99, 0x99, 0x99,
                                 0x07, 0x03, 0x00, 0x00, 0x00,
                                 0x06, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00}));
}

TEST(Assembler, BranchOffsetsCountFromTheEndOfTheBranch)
{
    Assembler a;
    const auto top = a.newLabel(), out = a.newLabel();
    a.bind(top);
    a.op(Op::Play);       // 1 byte at 0
    a.branchIfTrue(out);  // 5 bytes at 1..5, skips the jump
    a.jump(top);          // 5 bytes at 6..10, back to 0
    a.bind(out);
    EXPECT_EQ(a.finish(), (Bytes{0x06, 0x9D, 0x02, 0x00, 0x05, 0x00, 0x99, 0x02, 0x00, 0xF5, 0xFF}));
}

TEST(Assembler, BranchToALabelNeverPlacedIsRefused)
{
    Assembler a;
    a.jump(a.newLabel());
    EXPECT_THROW(a.finish(), std::logic_error);
    Assembler b;
    const auto label = b.newLabel();
    b.bind(label);
    EXPECT_THROW(b.bind(label), std::logic_error);
    EXPECT_THROW(b.jump(label + 1), std::out_of_range);
}

TEST(Assembler, DefineFunctionCarriesItsBodyLength)
{
    Assembler body;
    body.op(Op::Stop);
    Assembler a;
    a.defineFunction("f", {"p"}, body);
    EXPECT_EQ(a.finish(), (Bytes{0x9B, 0x08, 0x00, 'f', 0x00, 0x01, 0x00, 'p', 0x00, 0x01, 0x00, 0x07}));
}

TEST(Script, AssignmentOfASum)
{
    // x = x + 1
    const Bytes code = Block().set("x", var("x") + 1).compile();
    EXPECT_EQ(code, (Bytes{0x96, 0x03, 0x00, 0x00, 'x', 0x00,
                           0x96, 0x03, 0x00, 0x00, 'x', 0x00, 0x1C,
                           0x96, 0x05, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00, 0x47,
                           0x1D}));
}

TEST(Script, MethodCallPushesArgumentsLastFirstThenCountObjectAndName)
{
    // o.m(1, 2), result dropped
    const Bytes code = Block().eval(method(var("o"), "m", {1, 2})).compile();
    EXPECT_EQ(code, (Bytes{0x96, 0x05, 0x00, 0x07, 0x02, 0x00, 0x00, 0x00,
                           0x96, 0x05, 0x00, 0x07, 0x01, 0x00, 0x00, 0x00,
                           0x96, 0x05, 0x00, 0x07, 0x02, 0x00, 0x00, 0x00,
                           0x96, 0x03, 0x00, 0x00, 'o', 0x00, 0x1C,
                           0x96, 0x03, 0x00, 0x00, 'm', 0x00, 0x52,
                           0x17}));
}

int16_t branchOffset(const testing::Action& a)
{
    return int16_t(a.operands[0] | a.operands[1] << 8);
}

// Follows straight-line code through its branches. The builder negates every condition
// before its If, so an If branches exactly when the condition is false.
std::vector<uint8_t> opcodesOnPath(const Bytes& code, bool condition)
{
    Bytes framed = code;
    framed.push_back(0);
    const auto actions = testing::parseActions(framed);
    std::vector<uint8_t> seen;
    size_t at = 0;
    for (int steps = 0; at < code.size() && steps < 1000; ++steps) {
        const auto it = std::find_if(actions.begin(), actions.end(), [at](const auto& a) { return a.offset == at; });
        const size_t next = at + (it->code >= 0x80 ? 3 + it->operands.size() : 1);
        if (it->code == 0x99 || (it->code == 0x9D && !condition)) {
            at = size_t(long(next) + branchOffset(*it));
            continue;
        }
        seen.push_back(it->code);
        at = next;
    }
    return seen;
}

TEST(Script, IfElseRunsExactlyOneBranch)
{
    // if (c) stop(); else play();
    Block then, otherwise;
    then.stop();
    otherwise.eval(call("play"));
    const Bytes code = Block().when(var("c"), then, otherwise).compile();
    const auto whenTrue = opcodesOnPath(code, true), whenFalse = opcodesOnPath(code, false);
    EXPECT_NE(std::find(whenTrue.begin(), whenTrue.end(), 0x07), whenTrue.end());
    EXPECT_EQ(std::find(whenTrue.begin(), whenTrue.end(), 0x3D), whenTrue.end());
    EXPECT_EQ(std::find(whenFalse.begin(), whenFalse.end(), 0x07), whenFalse.end());
    EXPECT_NE(std::find(whenFalse.begin(), whenFalse.end(), 0x3D), whenFalse.end());
}

TEST(Script, LoopBranchesBackToItsCondition)
{
    const Bytes code = Block().loopWhile(var("i") < 3, Block().set("i", var("i") + 1)).compile();
    Bytes framed = code;
    framed.push_back(0);
    const auto actions = testing::parseActions(framed);
    // The last action jumps back to the first, which starts evaluating the condition.
    ASSERT_EQ(actions.back().code, 0x99);
    EXPECT_EQ(long(actions.back().offset) + 5 + branchOffset(actions.back()), 0);
    // The exit branch leaves to the end of the loop.
    const auto exit = std::find_if(actions.begin(), actions.end(), [](const auto& a) { return a.code == 0x9D; });
    ASSERT_NE(exit, actions.end());
    EXPECT_EQ(long(exit->offset) + 5 + branchOffset(*exit), long(code.size()));
}

} // namespace
} // namespace swfgen
