#pragma once

#include "widgets/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>

namespace orvik::test {

// Answers the program's questions and file dialogs from a script and keeps
// every message shown, so tests can check what the student would read.
class ScriptedDialogs : public Dialogs {
public:
    std::deque<Answer> confirmAnswers; // default when empty: Cancel
    std::deque<bool> yesNoAnswers;     // default when empty: No
    std::deque<QString> openFiles;     // "" = cancel; default when empty: cancel
    std::deque<QString> saveFiles;     // "" = cancel; default when empty: cancel

    QStringList confirms;  // texts of the confirmations asked
    QStringList questions; // texts of the yes/no questions asked
    QStringList messages;  // plain messages shown
    QStringList errors;    // general error reports shown
    QList<FileDialogOptions> openDialogs;
    QList<FileDialogOptions> saveDialogs;

    Answer confirm(const QString& caption, const QString& text) override {
        confirms << caption + u'|' + text;
        return pop(confirmAnswers, Answer::Cancel);
    }
    bool askYesNo(const QString& text) override {
        questions << text;
        return pop(yesNoAnswers, false);
    }
    void inform(const QString& text) override { messages << text; }
    void error(const QString& text) override { errors << text; }
    QString chooseOpenFile(const FileDialogOptions& options) override {
        openDialogs << options;
        return pop(openFiles, QString());
    }
    QString chooseSaveFile(const FileDialogOptions& options) override {
        saveDialogs << options;
        return pop(saveFiles, QString());
    }

private:
    template <typename T> static T pop(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace orvik::test
