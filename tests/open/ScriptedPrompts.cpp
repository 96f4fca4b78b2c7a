#include "open/ScriptedPrompts.h"

#include "support/QtPrinters.h"
#include "support/ScriptedRunner.h"

#include <gtest/gtest.h>

ScriptedPrompts::~ScriptedPrompts()
{
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " expected question(s) never asked";
    EXPECT_FALSE(m_progressUp) << "the search's progress is still up";
}

std::optional<ScriptedPrompts::Step> ScriptedPrompts::Next(Kind kind, const QStringList& shown)
{
    if (m_steps.empty() || m_steps.front().kind != kind) {
        ADD_FAILURE() << "unexpected question " << static_cast<int>(kind) << ": " << shown.join(u'|').toStdString();
        return std::nullopt;
    }
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    if (kind != Kind::Program) {
        EXPECT_EQ(shown, step.shown);
    }
    return step;
}

CHelperEntry* ScriptedPrompts::ChooseViewer(const CHelperRefList& candidates)
{
    QStringList names;
    for (const CHelperEntry* entry : candidates)
        names << entry->m_strName;
    const std::optional<Step> step = Next(Kind::Choice, names);
    for (CHelperEntry* entry : candidates) {
        if (step && !step->answer->isEmpty() && entry->m_strName == *step->answer)
            return entry;
    }
    return nullptr;
}

QString ScriptedPrompts::PickProgram(const QString& filter)
{
    const std::optional<Step> step = Next(Kind::Program, {filter});
    return step ? *step->answer : QString();
}

std::optional<QString> ScriptedPrompts::WhereToSearch(const QString& message)
{
    const std::optional<Step> step = Next(Kind::Search, {message});
    return step ? step->answer : std::nullopt;
}

int ScriptedPrompts::Message(const QString& text, MessageBoxKind kind)
{
    const std::optional<Step> step = Next(Kind::Box, {text});
    if (!step)
        return kind.buttons == MessageButtons::YesNo ? IDNO : IDCANCEL;
    EXPECT_EQ(kind, (MessageBoxKind{step->buttons, MessageIcon::None})) << text.toStdString();
    return step->button;
}

ProgressSink& ScriptedPrompts::ShowProgress()
{
    EXPECT_FALSE(m_progressUp);
    m_progressUp = true;
    return m_progress;
}
