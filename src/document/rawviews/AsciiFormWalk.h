#pragma once
// The walk that writes the ASCII form (WriteAsciiForm) after its caption,
// made so that it can be left and taken up again. On the way it can mark,
// every so many lines, a place it could go on from: between two records, or
// at a step of buffer data, with what the walk carries there. Started at such
// a mark it writes the same lines from there as it did the first time. The
// view keeps the form of a large logger as its marks and makes the lines
// again when they are asked for (AsciiFormLines); orlu-dump streams it whole.

#include "document/LineSink.h"
#include "document/image/PagedFileImage.h"
#include "document/rawviews/FieldCodeStrings.h"
#include "document/rawviews/RecordFieldWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orlu {

class CTmDoc;
class ProgressState;
class UserInteraction;

class AsciiFormWalk : private BufferDataStops {
public:
    /// A place the walk can go on from, and all it needs to.
    struct Mark {
        std::size_t line = 1;                   ///< lines of the form before it, the caption included
        std::uint32_t pos = 0;                  ///< the record or data section being written (a byte of a text document)
        std::uint32_t dataStart = UINT32_MAX;   ///< where four-channel buffer data start, once found
        std::uint32_t dataStep = UINT32_MAX;    ///< in buffer data: the step to go on at
        std::uint8_t previousType = 0;          ///< the type of the record before
        bool waveform = false;                  ///< buffer data are samples
        AsciiLineWriter::Pending pending;       ///< in buffer data: the line being made there
    };

    explicit AsciiFormWalk(const CTmDoc& doc);

    /// The form's first line.
    std::string Caption() const;

    /// Writes the lines from `from` (a default Mark: the first after the
    /// caption) into `out`. With `marks`, a mark is added wherever `spacing`
    /// lines or more were written since the last one. A broken chain of
    /// records ends the form with a line saying so, and is reported through
    /// `ui` when given. With a progress state it reports the bytes walked and
    /// stops with OperationCancelled when asked to.
    void Run(const Mark& from, LineSink& out, UserInteraction* ui, ProgressState* progress,
             std::vector<Mark>* marks = nullptr, std::size_t spacing = 0);

private:
    /// Passes the lines on and counts them; mute until a walk taken up inside
    /// buffer data has reached its step again.
    class Counter : public LineSink {
    public:
        void AddLine(std::string& line) override;
        LineSink* out = nullptr;
        std::size_t lines = 0;
        bool mute = false;
    };

    void WriteTextLines();
    bool WriteRecords(AsciiLineWriter& out);
    bool MarkDue() const { return m_Marks && m_Counter.lines - m_LastMark >= m_Spacing; }
    void AddMark(std::uint32_t dataStep, AsciiLineWriter::Pending pending);

    std::uint32_t Enter(std::uint32_t wordIndex, AsciiLineWriter& out) override;
    void Step(std::uint32_t p, const AsciiLineWriter& out) override;

    const CTmDoc& m_Doc;
    ImageReader m_Image;
    FieldWalkContext m_Ctx;
    FieldCodeQuery m_Query;
    bool m_FourChannel = false;

    Mark m_From;
    Mark m_Top; ///< the walk's state at the start of the record or data section being written
    Counter m_Counter;
    ProgressState* m_Progress = nullptr;
    std::vector<Mark>* m_Marks = nullptr;
    std::size_t m_Spacing = 0;
    std::size_t m_LastMark = 0;
};

} // namespace orlu
