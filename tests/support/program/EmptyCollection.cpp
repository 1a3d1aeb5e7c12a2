#include "EmptyCollection.h"

#include "CollectionFiles.h"

EmptyCollection::EmptyCollection()
{
    if (isValid())
        melvora::createEmptyCollection(path());
}
