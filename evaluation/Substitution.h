#pragma once
// Substitution of intermediate results into the equation of a result: every
// name that another line defines is replaced by "(" + that line's right side
// + ")", until the text names no intermediate result.
//
// The first pass goes through the lines once in text order, as the program
// always has, so that an equation whose intermediate results are defined
// below their use keeps its substituted text exactly. Definitions above
// their use are then picked up by further passes of the same kind.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/EquationText.h"
#include "evaluation/QuantityIndex.h"

namespace vormid {

// A failure of one result's calculation that the budget states; the text is
// the user's message (Windows-1251).
class TCalculationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TEquationSubstitution {
public:
    explicit TEquationSubstitution(std::vector<TEquationLine> lines);

    // The names of a text, every occurrence in order.
    using TNames = std::vector<std::string>;

    // The right side of name's line with every intermediate result
    // substituted; empty when no line defines name. registerNames, when
    // given, receives the names of name's own right side and then those of
    // each right side substituted in, in the order of substitution. Throws
    // TCalculationError when the expansion of name runs into a cyclic
    // definition (the message names the quantities of the cycle) or grows
    // beyond any sensible size.
    std::string Substitute(const std::string& name, const std::function<void(const TNames&)>& registerNames) const;

    // Whether some line has name as its left side.
    bool Defines(std::string_view name) const;

    const std::vector<TEquationLine>& Lines() const { return Lines_; }

private:
    // The first cycle reachable from name, as the names along it; empty
    // when there is none.
    std::vector<std::string> FindCycle(const std::string& name) const;

    // The names of line i's right side, tokenized on first use.
    const TNames& NamesOf(std::size_t line) const;

    std::vector<TEquationLine> Lines_;
    mutable std::vector<std::unique_ptr<TNames>> LineNames_;
    TNameMap<std::vector<int>> Definitions_;  // left side -> its lines
    TNameMap<bool> LeftSides_;                // every left side
};

}  // namespace vormid
