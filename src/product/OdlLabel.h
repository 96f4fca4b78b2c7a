#pragma once
// A parsed ODL (PDS3) label: statements with their values, nested OBJECT
// and GROUP blocks with their line numbers, and what was wrong with it.
// Plain values; OdlParser fills them.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace product {

// One ODL value: a scalar (number, text, symbol, bare identifier, date or
// time) or a sequence ( ) or set { } of values, with an optional unit.
struct OdlValue {
    enum class Kind { Integer, Real, Text, Symbol, Identifier, DateTime, Sequence, Set };

    Kind kind = Kind::Identifier;
    QString text;                 // as written; quoted text without its quotes, its lines joined by one space
    std::int64_t integer = 0;     // Integer (radix numbers too)
    double real = 0;              // Integer and Real
    bool radix = false;           // an Integer written as BASE#DIGITS#
    QString unit;                 // the unit inside < >, empty for none
    std::vector<OdlValue> items;  // Sequence and Set

    bool IsList() const { return kind == Kind::Sequence || kind == Kind::Set; }
    bool IsNumber() const { return kind == Kind::Integer || kind == Kind::Real; }

    // The value as a whole number: an Integer, a Real without a fraction
    // within range, or text that holds one ("12"). Empty otherwise.
    std::optional<std::int64_t> ToInteger() const;
    // The value as a number: a number, or text that holds one ("-9.99E10",
    // "16#FF#"). Empty for anything else ("NULL", "N/A", a list).
    std::optional<double> ToReal() const;
    // Scalars: their text; lists: "(a, b)" / "{a, b}".
    QString ToString() const;
};

struct OdlStatement {
    QString keyword;       // as written, without a pointer's caret
    bool pointer = false;  // ^KEYWORD
    OdlValue value;
    int line = 0;  // counted from 1
};

// An OBJECT or GROUP block, or the label's root (empty kind).
struct OdlBlock {
    QString kind;  // "OBJECT" or "GROUP", upper case
    QString name;  // the value of OBJECT = / GROUP =, as written
    int firstLine = 0;
    int lastLine = 0;
    std::vector<OdlStatement> statements;
    std::vector<OdlBlock> children;  // in label order

    // The first non-pointer statement named `keyword` (any case), or null.
    const OdlStatement* Find(QStringView keyword) const;
    const OdlValue* Value(QStringView keyword) const;
    // The first pointer statement ^name (any case), or null.
    const OdlStatement* FindPointer(QStringView name) const;
};

struct OdlLabel {
    OdlBlock root;
    QStringList warnings;        // "line 12: ..." for every line that was skipped
    bool endFound = false;       // the label ended at END (else at the end of the text)
    std::int64_t endOffset = 0;  // bytes of the label: up to and including END's line end
    int lines = 0;               // lines of the label
    int statementCount = 0;      // statements read, OBJECT/GROUP lines included
    int firstStatementLine = 0;  // line of the first statement read, 0 for none
    QString firstKeyword;        // of the first statement read (after an SFDU line), upper case
};

}  // namespace product
