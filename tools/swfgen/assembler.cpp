#include "assembler.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace swfgen {

namespace {

constexpr uint8_t kGotoFrame = 0x81, kJump = 0x99, kDefineFunction = 0x9B, kIf = 0x9D, kPush = 0x96;

// An action with a length-prefixed operand block.
void appendAction(Bytes& code, uint8_t action, const Bytes& operands)
{
    if (operands.size() > 0xFFFF)
        throw std::length_error("action operands too long");
    code.push_back(action);
    code.push_back(uint8_t(operands.size() & 0xFF));
    code.push_back(uint8_t(operands.size() >> 8));
    code.insert(code.end(), operands.begin(), operands.end());
}

void writeValue(BitWriter& out, const Value& value)
{
    struct Writer {
        BitWriter& out;
        void operator()(const std::string& s) { out.writeU8(0); out.writeString(s); }
        void operator()(double d)
        {
            // Whole numbers in 32-bit range go as integers: shorter and exact.
            if (std::floor(d) == d && std::fabs(d) < 2147483648.0 && !(d == 0 && std::signbit(d))) {
                (*this)(int32_t(d));
                return;
            }
            // Doubles are stored with their two 32-bit halves swapped, high half first.
            uint64_t raw;
            std::memcpy(&raw, &d, sizeof raw);
            out.writeU8(6);
            out.writeU32(uint32_t(raw >> 32));
            out.writeU32(uint32_t(raw));
        }
        void operator()(int32_t i) { out.writeU8(7); out.writeU32(uint32_t(i)); }
        void operator()(bool b) { out.writeU8(5); out.writeU8(b ? 1 : 0); }
        void operator()(Null) { out.writeU8(2); }
        void operator()(Undefined) { out.writeU8(3); }
    };
    std::visit(Writer{out}, value);
}

} // namespace

void Assembler::op(Op action)
{
    code_.push_back(uint8_t(action));
}

void Assembler::push(const std::vector<Value>& values)
{
    BitWriter operands;
    for (const Value& v : values)
        writeValue(operands, v);
    appendAction(code_, kPush, operands.bytes());
}

Assembler::Label Assembler::newLabel()
{
    labels_.emplace_back();
    return labels_.size() - 1;
}

void Assembler::bind(Label label)
{
    if (labels_.at(label))
        throw std::logic_error("label placed twice");
    labels_[label] = code_.size();
}

void Assembler::branch(uint8_t code, Label target)
{
    labels_.at(target);   // throws for a label this assembler never made
    appendAction(code_, code, {0, 0});
    fixups_.push_back(Fixup{code_.size() - 2, target});
}

void Assembler::jump(Label target)
{
    branch(kJump, target);
}

void Assembler::branchIfTrue(Label target)
{
    branch(kIf, target);
}

void Assembler::defineFunction(const std::string& name, const std::vector<std::string>& params,
                               const Assembler& body)
{
    const Bytes bodyCode = body.finish();
    if (params.size() > 0xFFFF || bodyCode.size() > 0xFFFF)
        throw std::length_error("function too large");
    BitWriter operands;
    operands.writeString(name);
    operands.writeU16(uint16_t(params.size()));
    for (const std::string& p : params)
        operands.writeString(p);
    operands.writeU16(uint16_t(bodyCode.size()));
    appendAction(code_, kDefineFunction, operands.bytes());
    // The body follows the action; its length is the last operand.
    code_.insert(code_.end(), bodyCode.begin(), bodyCode.end());
}

void Assembler::gotoFrame(uint16_t frame)
{
    appendAction(code_, kGotoFrame, {uint8_t(frame & 0xFF), uint8_t(frame >> 8)});
}

Bytes Assembler::finish() const
{
    Bytes code = code_;
    for (const Fixup& f : fixups_) {
        if (!labels_[f.target])
            throw std::logic_error("branch to a label never placed");
        const long offset = long(*labels_[f.target]) - long(f.offsetAt + 2);
        if (offset < -32768 || offset > 32767)
            throw std::out_of_range("branch too far");
        const uint16_t raw = uint16_t(int16_t(offset));
        code[f.offsetAt] = uint8_t(raw & 0xFF);
        code[f.offsetAt + 1] = uint8_t(raw >> 8);
    }
    return code;
}

} // namespace swfgen
