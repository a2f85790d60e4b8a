// The question table of a loaded topic and its companion arrays.
//
// The main window's unit state holds a QuestionTable (as a base or a
// member, so the field names read as every handler uses them). Start fills
// it through the loader (topic_loader.h), the display restores and cuts the
// working texts (line_split.h), the search reads the search texts
// (search_texts.h) and the run order writes the eliminator column
// (run_order.h). Nothing clears the table: rows above the loaded count keep
// what an earlier load left there, and no reader goes above that count.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace knowledge {

// The most questions a topic can bring into a run.
inline constexpr uint16_t kMaxQuestions = 1000;

// Joins the lines of a question or an answer in memory; never after the
// last line, so a one-line text holds none.
inline constexpr const char* kLineMarker = "~[)";

// The most lines a question or an answer holds and its memo shows: many
// screens of its box, and few enough that a topic costs memory in
// proportion to what it shows. Further lines are read past and dropped.
inline constexpr std::size_t kMaxTextLines = 200;
// And the most bytes it holds, markers included: a full screen of lines of
// the longest kind would otherwise let a topic of long questions hold
// hundreds of megabytes. The first line is always kept.
inline constexpr std::size_t kMaxTextBytes = 8192;

inline constexpr const char* kEliminatorNothing = "nothing";
inline constexpr const char* kEliminatorCorrect = "correct";

// A fixed array indexed from 1, as every table of the program is. An index
// outside 1..N throws instead of reaching memory that is not there. The
// entries live on the heap: the unit state holds tens of thousands of them.
template <typename T, std::size_t N>
class OneBased {
public:
    OneBased() : data_(std::make_unique<std::array<T, N>>()) {}
    OneBased(const OneBased& other) : data_(std::make_unique<std::array<T, N>>(*other.data_)) {}
    OneBased& operator=(const OneBased& other) {
        *data_ = *other.data_;
        return *this;
    }

    T& operator[](std::size_t i) { return (*data_)[Slot(i)]; }
    const T& operator[](std::size_t i) const { return (*data_)[Slot(i)]; }

    static constexpr std::size_t size() { return N; }
    void fill(const T& value) { data_->fill(value); }

private:
    static std::size_t Slot(std::size_t i) {
        if (i < 1 || i > N) {
            throw std::out_of_range("index " + std::to_string(i) + " outside 1.." + std::to_string(N));
        }
        return i - 1;
    }

    std::unique_ptr<std::array<T, N>> data_;
};

// One row of the table: six 8-bit strings.
struct QuestionRecord {
    std::string QuestionLabel;     // the label line from its third character
    std::string MediaLine;         // as read
    std::string FormatLine;        // as read
    std::string QuestionText;      // working copy, lines joined by the marker
    std::string AnswerText;        // working copy, lines joined by the marker
    std::string EliminatorStatus;  // "nothing" or "correct"
};

struct QuestionTable {
    OneBased<QuestionRecord, kMaxQuestions> QuestionArray;
    // Master copies of the two texts as loaded (and exchanged), from which
    // the display restores the working copies.
    OneBased<std::string, kMaxQuestions> OriginalQuestion;
    OneBased<std::string, kMaxQuestions> OriginalAnswer;
    // Built by the loader in a Learning run without automatic advance, from
    // the texts before the exchange.
    OneBased<std::string, kMaxQuestions> SearchQuestionTexts;
    OneBased<std::string, kMaxQuestions> SearchAnswerTexts;
};

// Start, Practice with the Eliminator: "nothing" in all 1000 rows, also
// those above the topic's size.
void ResetEliminatorStatus(QuestionTable& table);

// Start, Learning without automatic advance: both search arrays emptied in
// all 1000 rows before the loader rebuilds them.
void ClearSearchTexts(QuestionTable& table);

// Swop Q & A: for rows 1 to numberOfQuestions the question and answer
// texts change places, and so do their master copies. Labels, media lines,
// format lines, the eliminator column and the search texts stay. A count
// above the table's size is taken as the table's size.
void SwopQuestionsAndAnswers(QuestionTable& table, uint16_t numberOfQuestions);

}  // namespace knowledge
