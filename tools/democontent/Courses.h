#pragma once
// What the demo lessons and programmes say and show: four small courses, one
// for each catalogue series that has movies (a dog's little stories,
// everyday phrases, animals, numbers and colours), and the spoken
// programmes of the programme window's episodes. Paths are the catalogue's.
#include <QColor>
#include <QString>
#include <vector>

// The things a scene can show.
enum class Prop {
    Cat, Dog, Bird, Fish, Rabbit, Duck, Apple, Star, Balloon, Tree, Flower, Heart, Cloud, Ball, Cake, SweetPotato,
    Milk, Boy, Girl
};

// How the scene's things come on: walking in from the side, flying across,
// dropping and bouncing, appearing one after another (for counting), or two
// children talking in turn.
enum class Motion { WalkIn, Fly, Bounce, Count, Talk };

struct Scene {
    Prop Thing;
    QColor Colour; // the thing's main colour; invalid: its own
    int Count = 1;
    Motion Move = Motion::WalkIn;
    Prop Other = Prop::Dog; // Talk: the child who answers; WalkIn: who meets the thing, when Meets
    bool Meets = false;
};

struct Page {
    QString English;
    QString Chinese;
    Scene Show;
};

struct Lesson {
    QString Path;  // the movie's path on its server
    QString Title; // Chinese, shown on the stage
    std::vector<Page> Pages;
};

struct Programme {
    QString Path;  // the stream's path on the content server
    QString Title; // Chinese
    QString Voice; // espeak-ng voice
    std::vector<QString> Lines;
};

const std::vector<Lesson> &Lessons();
const std::vector<Programme> &Programmes();
