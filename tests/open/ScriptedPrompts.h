#pragma once
// Answers for the open flow's questions in tests: every question must have
// been expected, in order, and shows what the test expected. A question
// nobody expected fails the test and is declined.

#include "open/OpenPrompts.h"
#include "open/RecordingSink.h"
#include "platform/WinTypes.h"

#include <QStringList>
#include <deque>

class ScriptedPrompts final : public OpenPrompts {
public:
    // Fails on unused expectations, and on the search's progress left up.
    ~ScriptedPrompts();

    // Expects the choice among helpers of these names, in the order offered;
    // picks the one named (none when pick is empty).
    ScriptedPrompts& ExpectChoice(const QStringList& names, const QString& pick)
    {
        return Expect({Kind::Choice, names, pick});
    }
    // Expects the question for a program; answers path (empty: none picked).
    ScriptedPrompts& ExpectProgram(const QString& path) { return Expect({Kind::Program, {}, path}); }
    // Expects the question where to search, with message; answers start
    // (nothing: the search declined).
    ScriptedPrompts& ExpectSearch(const QString& message, std::optional<QString> start)
    {
        return Expect({Kind::Search, {message}, std::move(start)});
    }
    // Expects a box with this text and buttons, without an icon; answers
    // with the button.
    ScriptedPrompts& ExpectBox(const QString& text, int button = IDOK, MessageButtons buttons = MessageButtons::Ok)
    {
        return Expect({Kind::Box, {text}, std::nullopt, button, buttons});
    }

    CHelperEntry* ChooseViewer(const CHelperRefList& candidates) override;
    QString PickProgram(const QString& filter) override;
    std::optional<QString> WhereToSearch(const QString& message) override;
    int Message(const QString& text, MessageBoxKind kind) override;
    ProgressSink& ShowProgress() override;
    void CloseProgress() override { m_progressUp = false; }

private:
    enum class Kind { Choice, Program, Search, Box };
    struct Step {
        Kind kind;
        QStringList shown;
        std::optional<QString> answer;
        int button = IDOK;
        MessageButtons buttons = MessageButtons::Ok;
    };
    ScriptedPrompts& Expect(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }
    // The next step when it is of this kind, what was shown checked against
    // it; else a failure naming what was shown.
    std::optional<Step> Next(Kind kind, const QStringList& shown);

    std::deque<Step> m_steps;
    NullProgress m_progress;
    bool m_progressUp = false;
};
