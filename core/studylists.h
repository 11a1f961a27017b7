// The questions of the study lists besides the whole pool: a subelement's
// questions, and the questions found by the words the user typed.
#pragma once

#include "bank.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvell {

// The subelement codes of the exam groups ("T1A" -> "T1"), each once, in the
// order the groups first name them.
std::vector<std::string> SubelementCodes(std::span<const std::string> Groups);

// Pool indices, in pool order, of the questions whose identifier is a number
// of one of the Groups that belong to the subelement Code.
std::vector<int16_t> SubelementQuestions(std::span<const QueRec> Pool,
                                         std::span<const std::string> Groups,
                                         std::string_view Code);

// Of what is typed into Find, only the first MaxFindBytes bytes are searched.
constexpr std::size_t MaxFindBytes = 1000;

// The words of Typed: split at blanks, the blanks dropped.
std::vector<std::string> FindWords(std::string_view Typed);

// Text folded for a search without regard to case: upper-case letters
// (ASCII, Latin, Greek, Cyrillic) become lower case, curly apostrophes and
// quotes straight ones. Bytes that are no UTF-8 stay as they are.
std::string FoldCase(std::string_view Text);

// Pool indices, in pool order, of the questions that every word of Typed
// matches. A word that names questions (an identifier "T5A03", a group code
// "T5A" or a subelement code "T5") matches those; any other word matches a
// question whose text or one of whose choices contains it, also as part of a
// word and without regard to case. No words match nothing.
std::vector<int16_t> FindQuestions(std::span<const QueRec> Pool, std::string_view Typed);

} // namespace korvell
