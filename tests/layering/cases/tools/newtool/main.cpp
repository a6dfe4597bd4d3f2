// A tool no rule speaks of yet.
#include <QString>
