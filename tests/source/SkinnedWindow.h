#pragma once
// A window with a skinned form that hands its style to the controls on it.
#include "Forms.h"
#include "SUIForm.h"
#include "../framework/ShowActive.h"

#include <QTest>
#include <gtest/gtest.h>

struct SkinnedWindowFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiForm *Skin = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 420, 320);
        Skin = new TsuiForm(Form);
        Skin->SetParent(Form);
        Skin->SetUIStyleAutoUpdateSub(true);
        Skin->SetUIStyle(WinXP);
    }
    void TearDown() override { delete Form; }
    void Show()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
    // A control owned by the window, on the skinned form.
    template <class T>
    T *New(int L, int T_, int W, int H)
    {
        auto *control = new T(Form);
        control->SetParent(Skin);
        control->SetBounds(L, T_, W, H);
        return control;
    }
};
