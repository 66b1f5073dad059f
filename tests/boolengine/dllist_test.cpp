#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "boolengine/booleng.h"
#include "boolengine/dllist.h"

namespace {

template <typename F> std::string MessageOf(F f)
{
    try {
        f();
    } catch (const Bool_Engine_Error& e) {
        EXPECT_EQ(e.header, "list error");
        EXPECT_EQ(e.degree, 0);
        EXPECT_EQ(e.fatal, 1);
        return e.message;
    }
    return "no error";
}

std::vector<int> Items(const DL_List<int>& list) { return list.items(); }

TEST(DLList, EditingListWithAttachedIteratorIsRefused)
{
    DL_List<int> list;
    DL_Iter<int> it(&list);
    EXPECT_EQ(MessageOf([&] { list.insend(1); }), "DL_List<Dtype>::insend()more then zero iter");
    EXPECT_EQ(MessageOf([&] { list.insbegin(1); }), "DL_List<Dtype>::insbegin()more then zero iter");
    EXPECT_EQ(MessageOf([&] { list.remove_all(false); }), "DL_List<Dtype>::remove_all()more then zero iter");
}

TEST(DLList, IteratorMisuseNamesMemberAndReason)
{
    DL_List<int> list;
    DL_Iter<int> it(&list);
    it.toroot();
    EXPECT_EQ(MessageOf([&] { it.remove(); }), "DL_Iter<Dtype>::remove()iter at root");
    EXPECT_EQ(MessageOf([&] { (void)it.item(); }), "DL_Iter<Dtype>::item()no item at current");
    EXPECT_EQ(MessageOf([&] { it.Attach(&list); }), "DL_Iter<Dtype>::Attach(list)not allowed");
    DL_Iter<int> second(&list);
    EXPECT_EQ(MessageOf([&] { it.insbefore(3); }), "DL_Iter<Dtype>::insbefore()more then one iter");
    DL_Iter<int> detached;
    EXPECT_EQ(MessageOf([&] { detached.tohead(); }), "DL_Iter<Dtype>::tohead()no list attached");
    EXPECT_EQ(MessageOf([&] { detached.Detach(); }), "DL_Iter<Dtype>::Attach()no list attached");
    EXPECT_EQ(MessageOf([&] { it.takeover(&list); }), "DL_Iter<Dtype>::takeover(DL_List*)same list not allowed");
}

TEST(DLList, EmptyListRemovalIsRefused)
{
    DL_List<int> list;
    EXPECT_EQ(MessageOf([&] { list.removehead(); }), "DL_List<Dtype>::removehead()list is empty");
    EXPECT_EQ(MessageOf([&] { list.removetail(); }), "DL_List<Dtype>::removetail()list is empty");
}

TEST(DLList, InsertWalkAndRemoveThroughTheOnlyIterator)
{
    DL_List<int> list;
    list.insend(2);
    list.insbegin(1);
    list.insend(3);
    {
        DL_Iter<int> it(&list);
        it++;
        EXPECT_TRUE(it.athead());
        EXPECT_EQ(it.item(), 1);
        it++;
        it.remove();
        EXPECT_EQ(it.item(), 3);
        EXPECT_TRUE(it.attail());
        it.insbefore(9);
        it.toroot();
        it.insbefore(10);  // at root: appended at the tail
        EXPECT_TRUE(it.has(9));
        EXPECT_TRUE(it.toitem(3));
        EXPECT_FALSE(it.toitem(42));
        EXPECT_EQ(it.count(), 4);
    }
    EXPECT_EQ(Items(list), (std::vector<int>{1, 9, 3, 10}));
    list.removehead();
    list.removetail();
    EXPECT_EQ(Items(list), (std::vector<int>{9, 3}));
}

TEST(DLList, MergeSortKeepsOrderOfEqualKeys)
{
    DL_List<std::pair<int, int>*> list;
    std::vector<std::pair<int, int>> data = {{3, 0}, {1, 1}, {3, 2}, {2, 3}, {1, 4}, {3, 5}};
    for (auto& d : data) list.insend(&d);
    DL_Iter<std::pair<int, int>*> it(&list);
    it.mergesort([](std::pair<int, int>* a, std::pair<int, int>* b) {
        return a->first < b->first ? 1 : (a->first > b->first ? -1 : 0);
    });
    std::vector<int> order;
    it.foreach([&](std::pair<int, int>* p) { order.push_back(p->second); });
    EXPECT_EQ(order, (std::vector<int>{1, 4, 3, 0, 2, 5}));
}

TEST(DLList, CocktailSortReportsSwapsAnsweredTrue)
{
    DL_List<int> list;
    for (int v : {4, 1, 3, 2}) list.insend(v);
    DL_Iter<int> it(&list);
    int calls = 0;
    const int answered = it.cocktailsort([](int a, int b) { return a < b ? 1 : (a > b ? -1 : 0); },
                                         [&calls](int, int) { return (++calls % 2) == 1; });
    it.Detach();
    EXPECT_EQ(Items(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(calls, 4);  // one call per neighbour swap (the inversions)
    EXPECT_EQ(answered, 2);
}

TEST(DLList, TakeoverMovesEveryItemToTheEnd)
{
    DL_List<int> a, b;
    a.insend(1);
    b.insend(2);
    b.insend(3);
    {
        DL_Iter<int> it(&a);
        it.takeover(&b);
    }
    EXPECT_EQ(Items(a), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(b.empty());
}

TEST(DLList, AttachGuardDetachesEvenWhenAnErrorLeaves)
{
    DL_List<int> list;
    DL_Iter<int> it;
    try {
        DL_IterAttach<int> guard(it, &list);
        (void)it.item();  // empty list: attached at the root
    } catch (const Bool_Engine_Error& e) {
        EXPECT_EQ(e.message, "DL_Iter<Dtype>::item()no item at current");
    }
    EXPECT_FALSE(it.attached());
    EXPECT_EQ(list.iterlevel(), 0);
    list.insend(1);  // no iterator left: editing is allowed again
}

}  // namespace
