// ActionScript 2 (AVM1) byte code: actions, pushed values and branches to labels.
#pragma once

#include "bit_writer.h"

#include <optional>
#include <string>
#include <variant>

namespace swfgen {

// Actions without operands in the code stream.
enum class Op : uint8_t {
    NextFrame = 0x04, Play = 0x06, Stop = 0x07,
    Subtract = 0x0B, Multiply = 0x0C, Divide = 0x0D, And = 0x10, Or = 0x11, Not = 0x12,
    Pop = 0x17, ToInteger = 0x18, GetVariable = 0x1C, SetVariable = 0x1D, Trace = 0x26,
    RandomNumber = 0x30, GetTime = 0x34, CallFunction = 0x3D, Return = 0x3E, Modulo = 0x3F,
    NewObject = 0x40, InitObject = 0x43, Add2 = 0x47, Less2 = 0x48, Equals2 = 0x49,
    GetMember = 0x4E, SetMember = 0x4F, CallMethod = 0x52, Greater = 0x67,
};

struct Null {};
struct Undefined {};
using Value = std::variant<std::string, double, int32_t, bool, Null, Undefined>;

class Assembler {
public:
    using Label = size_t;

    void op(Op action);
    // One ActionPush holding all values, pushed in the order given.
    void push(const std::vector<Value>& values);

    Label newLabel();
    // Places a label at the current position; each label once.
    void bind(Label label);
    void jump(Label target);
    // ActionIf: pops a value and branches when it is true.
    void branchIfTrue(Label target);

    // ActionDefineFunction; an empty name pushes the function as a value.
    void defineFunction(const std::string& name, const std::vector<std::string>& params,
                        const Assembler& body);
    // ActionGotoFrame, 0-based frame index.
    void gotoFrame(uint16_t frame);

    // The code with every branch resolved; throws when a label was used but never placed.
    Bytes finish() const;

private:
    void branch(uint8_t code, Label target);

    Bytes code_;
    std::vector<std::optional<size_t>> labels_;
    struct Fixup {
        size_t offsetAt;   // position of the branch's 16-bit offset
        Label target;
    };
    std::vector<Fixup> fixups_;
};

} // namespace swfgen
