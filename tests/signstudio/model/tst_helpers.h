#pragma once

#include "signstudio/model/cardlink.h"
#include "signstudio/model/modelui.h"
#include "signstudio/model/project.h"

#include <QHash>
#include <QStringList>

// English texts of the keys the model uses.
inline QString testText(const QString &key)
{
    static const QHash<QString, QString> texts = {
        {QStringLiteral("object_card"), QStringLiteral("card")},
        {QStringLiteral("object_playbill"), QStringLiteral("playbill")},
        {QStringLiteral("object_page"), QStringLiteral("show_page")},
        {QStringLiteral("object_area"), QStringLiteral("area")},
        {QStringLiteral("object_file"), QStringLiteral("file")},
        {QStringLiteral("cycle_everyday"), QStringLiteral("everyday")},
        {QStringLiteral("action_saved"), QStringLiteral("saved!")},
        {QStringLiteral("action_save"), QStringLiteral("save")},
        {QStringLiteral("action_not_exist"), QStringLiteral("dose not exist!")},
        {QStringLiteral("action_confirm"), QStringLiteral("Please confirm!")},
        {QStringLiteral("material_single_text"), QStringLiteral("single-text")},
        {QStringLiteral("material_multi_text"), QStringLiteral("multi_text")},
        {QStringLiteral("material_image_group"), QStringLiteral("image_group")},
        {QStringLiteral("material_table"), QStringLiteral("table")},
        {QStringLiteral("material_time"), QStringLiteral("time")},
        {QStringLiteral("material_remote_text"), QStringLiteral("remote_text")},
        {QStringLiteral("material_window_no"), QStringLiteral("window_no")},
        {QStringLiteral("material_is_time"), QStringLiteral("is_time")},
        {QStringLiteral("material_count_down"), QStringLiteral("count_down")},
        {QStringLiteral("material_code_text"), QStringLiteral("internal_code_word")},
        {QStringLiteral("material_real_time_acquisition"), QStringLiteral("real_time_acquisition")},
        {QStringLiteral("material_animation"), QStringLiteral("animation")},
    };
    return texts.value(key, key);
}

class FakeUi : public TModelUi
{
public:
    bool defaultAnswer = true;
    QList<bool> answers;          // consumed first, then defaultAnswer
    QStringList asked;
    QStringList saveNames;        // consumed by the save dialog; empty = cancel
    QStringList saveTitles;
    QString openName;
    QStringList messages;

    bool AskYesNo(const QString &key) override
    {
        asked.append(key);
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    QString AskSaveFileName(const QString &title, const QString &) override
    {
        saveTitles.append(title);
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
    QString AskOpenFileName(const QString &) override { return openName; }
    void ShowMessage(const QString &text) override { messages.append(text); }
};

class FakeLink : public TCardLink
{
public:
    bool writeOk = true;
    bool throwOnClose = false;
    int closes = 0;
    QByteArray written;
    bool WriteBytes(const QByteArray &bytes) override
    {
        written += bytes;
        return writeOk;
    }
    void Close() override
    {
        ++closes;
        if (throwOnClose)
            throw 1;
    }
    QString PeerAddress() const override { return QStringLiteral("127.0.0.1"); }
};

inline TFIXModem *addCard(TProject &project, const QString &name, int width = 128, int height = 64,
                          int version = 60)
{
    return project.Cards.Append(TFIXModem::Create(lkNetwork, name, QStringLiteral("pnCard1"), QString(),
                                                  QStringLiteral("1_2_3_4_5_6_7_8"), QString(), QString(),
                                                  project.Cards.Count() + 1, width, height, 56, version, 5, 8));
}

inline void setupProject(TProject &project)
{
    project.SetTextSource(testText);
}
