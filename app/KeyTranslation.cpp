// KeyTranslation: to be written
