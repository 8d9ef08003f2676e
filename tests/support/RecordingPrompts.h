#pragma once
// A UserPrompts that never waits for a user: it records every message and
// question and answers from queues the test fills. Running out of answers
// fails the test and cancels.
#include <gtest/gtest.h>

#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "app/UserPrompts.h"

namespace pw::test {

class RecordingPrompts : public UserPrompts {
public:
    QStringList messages;                   // every message box text, in order
    QStringList questions;                  // every save-changes question
    std::deque<SaveChangesAnswer> answers;  // answers to the questions
    std::deque<QString> openNames;          // Open dialog results, "" = cancel
    std::deque<QString> saveNames;          // Save dialog results, "" = cancel
    int openDialogs = 0, saveDialogs = 0;
    QStringList fileFilters;
    std::deque<std::optional<QColor>> colors;  // colour chooser results, nullopt = cancel
    // Plays the user of a modal dialog; the default cancels it.
    std::function<int(QDialog&)> onDialog;
    QStringList dialogTitles;
    std::vector<QUrl> openedUrls;
    bool openUrlSucceeds = true;

    void ShowMessage(QWidget*, const QString& text) override { messages << text; }

    SaveChangesAnswer AskSaveChanges(QWidget*, const QString& text) override {
        questions << text;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return SaveChangesAnswer::Cancel;
        }
        const SaveChangesAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    QString GetOpenFileName(QWidget*, const QString& filter) override {
        ++openDialogs;
        fileFilters << filter;
        return Next(openNames, "Open");
    }

    QString GetSaveFileName(QWidget*, const QString& filter) override {
        ++saveDialogs;
        fileFilters << filter;
        return Next(saveNames, "Save");
    }

    bool GetColor(QWidget*, QColor& chosen) override {
        if (colors.empty()) {
            ADD_FAILURE() << "unexpected colour dialog";
            return false;
        }
        const auto c = colors.front();
        colors.pop_front();
        if (!c) return false;
        chosen = *c;
        return true;
    }

    int RunDialog(QDialog& dialog) override {
        dialogTitles << dialog.windowTitle();
        if (!onDialog) return QDialog::Rejected;
        dialog.show();
        const int result = onDialog(dialog);
        dialog.hide();
        return result;
    }

    bool OpenUrl(const QUrl& url) override {
        openedUrls.push_back(url);
        return openUrlSucceeds;
    }

private:
    static QString Next(std::deque<QString>& queue, const char* what) {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what << " dialog";
            return QString();
        }
        QString name = queue.front();
        queue.pop_front();
        return name;
    }
};

}  // namespace pw::test
