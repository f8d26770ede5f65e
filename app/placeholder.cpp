namespace tolva::app {}
