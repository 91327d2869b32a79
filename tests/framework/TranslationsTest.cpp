// Qt's own texts (box buttons, the open dialog) follow the system's
// language, and are Chinese where the system names none.
#include "Translations.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(QtTranslations, UnsetLocaleMeansChineseAndASetOneIsKept)
{
    EXPECT_EQ(InterfaceLocale(QLocale::c()).name(), "zh_CN");
    EXPECT_EQ(InterfaceLocale(QLocale(QLocale::German, QLocale::Germany)).name(), "de_DE");
    EXPECT_EQ(InterfaceLocale(QLocale(QLocale::Chinese, QLocale::Taiwan)).name(), "zh_TW");
}

TEST(QtTranslations, BoxButtonsAndTheOpenDialogSpeakTheLanguage)
{
    {
        const auto chinese = InstallQtTranslations(InterfaceLocale(QLocale::c()));
        ASSERT_NE(chinese, nullptr) << "Qt's translations are installed by scripts/setup";
        QMessageBox box(QMessageBox::Question, "t", "x", QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QString::fromUtf8("是")))
            << box.button(QMessageBox::Yes)->text().toStdString();
        EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QString::fromUtf8("否")));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QStringList labels;
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            labels << label->text();
        EXPECT_FALSE(labels.join('|').contains("Look in")) << labels.join('|').toStdString();
        EXPECT_TRUE(labels.join('|').contains(QString::fromUtf8("文件名"))) << labels.join('|').toStdString();
    }
    // With the translator gone Qt speaks English again.
    QMessageBox box(QMessageBox::Question, "t", "x", QMessageBox::Yes);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Yes");
}

TEST(QtTranslations, AnotherSystemLanguageIsFollowedAndOneWithoutTranslationsKeepsEnglish)
{
    {
        const auto german = InstallQtTranslations(InterfaceLocale(QLocale(QLocale::German, QLocale::Germany)));
        ASSERT_NE(german, nullptr);
        QMessageBox box(QMessageBox::Question, "t", "x", QMessageBox::Yes);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Ja");
    }
    EXPECT_EQ(InstallQtTranslations(QLocale(QLocale::Esperanto)), nullptr);
}

} // namespace
