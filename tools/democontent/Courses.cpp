#include "Courses.h"

namespace {

QString U(const char *Utf8)
{
    return QString::fromUtf8(Utf8);
}

Page P(const char *English, const char *Chinese, Scene Show)
{
    return {U(English), U(Chinese), Show};
}

Scene Thing(Prop What, Motion Move = Motion::WalkIn, QColor Colour = {}, int Count = 1)
{
    return {What, Colour, Count, Move};
}

Scene Meet(Prop What, Prop Who, QColor Colour = {})
{
    return {What, Colour, 1, Motion::WalkIn, Who, true};
}

Scene Talk(Prop Speaker, Prop Listener)
{
    return {Speaker, {}, 1, Motion::Talk, Listener};
}

// The dog's little stories, on the animation server.
std::vector<Lesson> DogStories()
{
    return {
        {U("/animation/choppy1.swf"), U("流氓狗系列 · 买红薯"),
         {P("I am Choppy, the dog.", "我是小狗乔皮。", Thing(Prop::Dog)),
          P("I want a sweet potato.", "我想要一个红薯。", Meet(Prop::SweetPotato, Prop::Dog)),
          P("How much is it?", "多少钱？", Meet(Prop::SweetPotato, Prop::Boy)),
          P("Thank you!", "谢谢！", Meet(Prop::Heart, Prop::Dog, QColor(230, 60, 90)))}},
        {U("/animation/choppy2.swf"), U("流氓狗系列 · 要足球"),
         {P("Look, a football!", "看，一个足球！", Thing(Prop::Ball, Motion::Bounce)),
          P("Can I play, please?", "我可以玩吗？", Meet(Prop::Ball, Prop::Dog)),
          P("Kick the ball!", "踢球！", Meet(Prop::Ball, Prop::Boy)),
          P("Goal!", "进球了！", Thing(Prop::Star, Motion::Fly, QColor(250, 200, 40), 3))}},
        {U("/animation/choppy3.swf"), U("流氓狗系列 · 吃奶"),
         {P("I am hungry.", "我饿了。", Thing(Prop::Dog)),
          P("Here is some milk.", "这是牛奶。", Meet(Prop::Milk, Prop::Girl)),
          P("Yummy!", "真好喝！", Meet(Prop::Milk, Prop::Dog)),
          P("Good night, Choppy.", "晚安，乔皮。", Thing(Prop::Star, Motion::Fly, QColor(255, 230, 120), 5))}},
    };
}

// Everyday phrases: two children talking.
std::vector<Lesson> Phrases()
{
    const char *const base = "/software2/wyh/dhqjjj/20031008/";
    const char *const numbers[] = {"第一课", "第二课", "第三课", "第四课", "第五课",
                                   "第六课", "第七课", "第八课", "第九课", "第十课"};
    const std::vector<std::vector<Page>> pages = {
        {P("Hello!", "你好！", Talk(Prop::Boy, Prop::Girl)), P("Hi!", "嗨！", Talk(Prop::Girl, Prop::Boy))},
        {P("Good morning!", "早上好！", Talk(Prop::Girl, Prop::Boy)),
         P("Good afternoon!", "下午好！", Talk(Prop::Boy, Prop::Girl)),
         P("Good evening!", "晚上好！", Talk(Prop::Girl, Prop::Boy))},
        {P("What's your name?", "你叫什么名字？", Talk(Prop::Boy, Prop::Girl)),
         P("My name is Lily.", "我叫莉莉。", Talk(Prop::Girl, Prop::Boy))},
        {P("How are you?", "你好吗？", Talk(Prop::Girl, Prop::Boy)),
         P("I'm fine, thank you.", "我很好，谢谢。", Talk(Prop::Boy, Prop::Girl))},
        {P("Nice to meet you.", "很高兴认识你。", Talk(Prop::Boy, Prop::Girl)),
         P("Nice to meet you, too.", "我也很高兴认识你。", Talk(Prop::Girl, Prop::Boy))},
        {P("How old are you?", "你几岁了？", Talk(Prop::Girl, Prop::Boy)),
         P("I'm seven.", "我七岁了。", Talk(Prop::Boy, Prop::Girl))},
        {P("Thank you!", "谢谢你！", Talk(Prop::Boy, Prop::Girl)),
         P("You're welcome.", "不客气。", Talk(Prop::Girl, Prop::Boy))},
        {P("I'm sorry.", "对不起。", Talk(Prop::Girl, Prop::Boy)), P("That's OK.", "没关系。", Talk(Prop::Boy, Prop::Girl))},
        {P("Happy birthday!", "生日快乐！", Talk(Prop::Boy, Prop::Girl)),
         P("Here is a cake for you.", "这是给你的蛋糕。", Meet(Prop::Cake, Prop::Girl))},
        {P("Goodbye!", "再见！", Talk(Prop::Girl, Prop::Boy)),
         P("See you tomorrow.", "明天见。", Talk(Prop::Boy, Prop::Girl))},
    };
    std::vector<Lesson> lessons;
    for (size_t i = 0; i < pages.size(); ++i)
        lessons.push_back({U(base) + QString::number(i + 1) + ".swf", U("动画情景交际 · ") + U(numbers[i]), pages[i]});
    return lessons;
}

// Animals: the word, then what the animal does.
std::vector<Lesson> Animals()
{
    struct Animal {
        Prop What;
        Motion Move;
        const char *Word, *Meaning, *Sentence, *SentenceMeaning;
    };
    const Animal animals[] = {
        {Prop::Cat, Motion::WalkIn, "cat", "猫", "The cat says meow.", "猫咪喵喵叫。"},
        {Prop::Dog, Motion::WalkIn, "dog", "狗", "The dog can run.", "小狗会跑。"},
        {Prop::Bird, Motion::Fly, "bird", "鸟", "The bird can fly.", "小鸟会飞。"},
        {Prop::Fish, Motion::Fly, "fish", "鱼", "The fish can swim.", "鱼会游泳。"},
        {Prop::Rabbit, Motion::Bounce, "rabbit", "兔子", "The rabbit can jump.", "兔子会跳。"},
        {Prop::Duck, Motion::WalkIn, "duck", "鸭子", "The duck says quack.", "鸭子嘎嘎叫。"},
    };
    std::vector<Lesson> lessons;
    int n = 0;
    for (const Animal &a : animals) {
        ++n;
        const QString article = QString::fromLatin1(a.Word).startsWith('a') ? QStringLiteral("an ") : QStringLiteral("a ");
        lessons.push_back(
            {U("/software2/wyh/kdhxyy/20030619/") + QString::number(n) + ".swf",
             U("看动画学英语（") + QString::number(n) + U("）"),
             {{U(a.Word), U(a.Meaning), Thing(a.What, a.Move)},
              {U("This is ") + article + U(a.Word) + '.', U("这是") + U(a.Meaning) + U("。"), Thing(a.What, a.Move)},
              P(a.Sentence, a.SentenceMeaning, Thing(a.What, a.Move))}});
    }
    return lessons;
}

// Numbers with colours: the number, then that many things to count.
std::vector<Lesson> Counting()
{
    struct Count {
        const char *Number, *NumberMeaning, *Phrase, *PhraseMeaning;
        Prop What;
        QColor Colour;
    };
    const Count counts[] = {
        {"one", "一", "One red apple.", "一个红苹果。", Prop::Apple, QColor(220, 40, 40)},
        {"two", "二", "Two yellow stars.", "两颗黄色的星星。", Prop::Star, QColor(250, 205, 40)},
        {"three", "三", "Three blue balloons.", "三个蓝色的气球。", Prop::Balloon, QColor(50, 110, 230)},
        {"four", "四", "Four green trees.", "四棵绿色的树。", Prop::Tree, QColor(50, 160, 70)},
        {"five", "五", "Five orange fish.", "五条橙色的鱼。", Prop::Fish, QColor(245, 140, 30)},
        {"six", "六", "Six purple flowers.", "六朵紫色的花。", Prop::Flower, QColor(150, 70, 200)},
        {"seven", "七", "Seven pink hearts.", "七颗粉色的心。", Prop::Heart, QColor(245, 120, 170)},
        {"eight", "八", "Eight white clouds.", "八朵白云。", Prop::Cloud, QColor(255, 255, 255)},
        {"nine", "九", "Nine brown balls.", "九个棕色的球。", Prop::Ball, QColor(150, 90, 40)},
    };
    std::vector<Lesson> lessons;
    int n = 0;
    for (const Count &c : counts) {
        ++n;
        lessons.push_back({U("/software2/wyh/故事/") + QString::number(n) + ".swf", U("听力故事 · ") + QString::number(n),
                           {P(c.Number, c.NumberMeaning, Thing(c.What, Motion::Count, c.Colour, 1)),
                            P(c.Phrase, c.PhraseMeaning, Thing(c.What, Motion::Count, c.Colour, n))}});
    }
    return lessons;
}

} // namespace

const std::vector<Lesson> &Lessons()
{
    static const std::vector<Lesson> all = [] {
        std::vector<Lesson> lessons;
        for (auto part : {DogStories(), Phrases(), Animals(), Counting()})
            lessons.insert(lessons.end(), part.begin(), part.end());
        return lessons;
    }();
    return all;
}

const std::vector<Programme> &Programmes()
{
    static const std::vector<Programme> all = {
        {U("/SOFTWARE2/GOGO_MTV/02.RM"), U("洪恩GOGO（一）"), U("en-us"),
         {U("Hello, boys and girls! Let's learn English together."), U("Listen and say after me."), U("Hello!"),
          U("Hi!"), U("Good morning!"), U("Good afternoon!"), U("How are you?"), U("I'm fine, thank you."),
          U("What's your name?"), U("My name is Gogo."), U("Nice to meet you."), U("Goodbye!"),
          U("See you next time!")}},
        {U("/SOFTWARE2/GOGO_MTV/04.RM"), U("洪恩GOGO（二）"), U("en-us"),
         {U("Hello again! Today we learn colours."), U("Listen and say after me."), U("Red. The apple is red."),
          U("Yellow. The sun is yellow."), U("Blue. The sky is blue."), U("Green. The tree is green."),
          U("Orange. The orange is orange."), U("Purple. The flower is purple."), U("Pink. The pig is pink."),
          U("White. The cloud is white."), U("What colour do you like?"), U("I like blue."), U("Goodbye!")}},
        {U("/software/rm/kidsabc/1-01.rm"), U("儿童英语情景对话 1"), U("en-us+f3"),
         {U("Unit one. At school."), U("Good morning, teacher!"), U("Good morning, children!"), U("Sit down, please."),
          U("Open your book."), U("Take out your pencil."), U("Can you spell your name?"), U("Yes, I can."),
          U("Stand up, please."), U("Let's sing a song."), U("Close your book."), U("Goodbye, teacher!"),
          U("Goodbye, children!")}},
        {U("/software/rm/kidsabc/1-02.rm"), U("儿童英语情景对话 2"), U("en-us+f3"),
         {U("Unit two. At home."), U("Mum, I'm home!"), U("Hello, dear. Wash your hands."), U("I'm hungry."),
          U("Here is some bread."), U("Can I have some milk?"), U("Yes, here you are."), U("Thank you, Mum."),
          U("Where is Dad?"), U("He is in the garden."), U("Let's help him."), U("Good idea!")}},
        {U("/software2/radio/KZMYCJ/a-01.rm"), U("空中美语初级 1"), U("en-us"),
         {U("Welcome to English on the air. Lesson one."), U("What day is it today?"), U("It's Monday."),
          U("Monday, Tuesday, Wednesday."), U("Thursday, Friday."), U("Saturday and Sunday."),
          U("What's the weather like?"), U("It's sunny."), U("It's rainy."), U("It's windy."), U("It's cold today."),
          U("Take your coat."), U("Thank you for listening. See you next time.")}},
        {U("/software2/radio/djsyy/lt01.rm"), U("大家说英语 1"), U("en-us+m3"),
         {U("Let's talk in English. Lesson one. At the shop."), U("Can I help you?"), U("Yes, please."),
          U("I want some apples."), U("How many apples?"), U("Six, please."), U("How much are they?"),
          U("Three yuan, please."), U("Here you are."), U("Thank you. Goodbye."), U("Goodbye. Have a nice day."),
          U("Now say it with me.")}},
    };
    return all;
}
