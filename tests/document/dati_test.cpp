#include <gtest/gtest.h>

#include "document/nodes/DatiTreeNode.h"

using namespace treeNode;

TEST(DatiTest, AddVariableTrimsBothAndRefusesAnEmptyName)
{
    CDatiTreeNode dati(nullptr);
    dati.AddVariable("  sposa \t", "  Anna Maria  ");
    dati.AddVariable("   ", "x");
    dati.AddVariable("", "y");
    ASSERT_EQ(1u, dati.GetChildCount());
    auto* variable = static_cast<CVariabileTreeNode*>(dati.GetChild(0));
    EXPECT_EQ("sposa", variable->GetName());
    EXPECT_EQ("Anna Maria", variable->GetValore());
    EXPECT_EQ(&dati, variable->GetParent());
}

TEST(DatiTest, RemoveAllEmptiesAndClonesAreDeep)
{
    CDatiTreeNode dati(nullptr);
    dati.AddVariable("a", "1");
    dati.AddVariable("a", "2");
    auto copy = dati.Clone(nullptr);
    dati.RemoveAll();
    EXPECT_EQ(0u, dati.GetChildCount());
    ASSERT_EQ(2u, copy->GetChildCount());
    EXPECT_EQ("2", static_cast<CVariabileTreeNode*>(copy->GetChild(1))->GetValore());
}
