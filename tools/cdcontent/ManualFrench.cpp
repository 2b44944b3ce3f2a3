#include "Manual.h"
#include "PdfWriter.h"

namespace cdcontent {

// With every page, button and option named exactly as the menu, the setup program and the
// settings dialogs show it in French.
std::vector<uint8_t> writeFrenchManual() {
  PdfWriter pdf("Reefsaver - Manuel");
  using S = TextStyle;
  pdf.add(S::Title, "Reefsaver");
  pdf.add(S::Body, "Un écran de veille avec une mer tropicale, pour Windows.");

  pdf.add(S::Heading, "Ce qu'est Reefsaver");
  pdf.add(S::Body,
          "Reefsaver montre un récif de corail vivant, vu juste sous la surface de l'eau : un banc de petits "
          "poissons qui suit un meneur et s'éparpille quand un prédateur attaque, des poissons de récif chacun "
          "dans son coin, une raie manta qui passe au loin, de gros poissons qui patrouillent le long du fond, "
          "une mouette au-dessus de l'eau, des coraux qui ondulent sur un fond de sable, une surface agitée "
          "avec la lumière qui danse sur le sable, une île, le ciel, et le bruit de l'eau et des mouettes.");
  pdf.add(S::Body, "Reefsaver se compose de deux programmes :");
  pdf.add(S::Item,
          "reefsaver-basic.scr, l'écran de veille lui-même. Windows le lance quand l'ordinateur n'a pas servi "
          "depuis un moment ; il s'arrête à une touche, un bouton de la souris ou un mouvement de la souris.");
  pdf.add(S::Item,
          "reefsaver.exe, la version interactive. Elle occupe tout l'écran jusqu'à ce que vous appuyiez sur "
          "Échap ou passiez à une autre fenêtre, et vous laisse regarder autour de vous avec les touches "
          "indiquées plus loin.");
  pdf.add(S::Body,
          "Tous deux lisent leurs images et leurs sons dans le dossier Reefglass, qui doit rester à côté du "
          "programme.");
  pdf.add(S::Body,
          "Reefsaver parle la langue de Windows : français, allemand, anglais ou néerlandais, et anglais si "
          "Windows parle une autre langue. Le menu du CD aussi, qui ouvre le manuel dans cette langue.");

  pdf.add(S::Heading, "Installer depuis le CD");
  pdf.add(S::Item,
          "Insérez le CD. Windows demande quoi faire du CD : choisissez Exécuter KvSetupX.exe. S'il ne se "
          "passe rien, ouvrez le CD dans l'Explorateur de fichiers et double-cliquez sur KvSetupX.exe. Si vous "
          "avez le CD sous forme de fichier (reefsaver.iso), double-cliquez dessus ; Windows l'ouvre comme un "
          "lecteur.");
  pdf.add(S::Item,
          "Le menu apparaît, avec à gauche les boutons Installer, Manuel, Assistance et Parcourir le CD, et en "
          "haut à droite Quitter.");
  pdf.add(S::Item,
          "Cliquez sur Installer. Windows demande si le programme d'installation peut apporter des "
          "modifications à votre appareil : cliquez sur Oui.");
  pdf.add(S::Item,
          "Le programme d'installation demande d'abord dans quelle langue il doit vous guider : English, "
          "Nederlands, Deutsch ou Français. La langue de Windows est déjà choisie ; cliquez sur OK.");
  pdf.add(S::Item,
          "La fenêtre Installation de Reefsaver indique le dossier de destination (C:\\Program "
          "Files\\Reefsaver). Cliquez sur Installer. Le programme place l'écran de veille avec son dossier "
          "Reefglass dans le dossier système de Windows, la version interactive avec son propre dossier "
          "Reefglass dans le dossier de destination, et crée le dossier Reefsaver dans le menu Démarrer.");
  pdf.add(S::Item,
          "À la question « Voulez-vous utiliser Reefsaver comme écran de veille maintenant ? », répondez Oui ; "
          "l'écran de veille que vous aviez jusque-là est mémorisé.");
  pdf.add(S::Item, "Cliquez sur Fermer quand l'installation est terminée.");
  pdf.add(S::Body,
          "Si le menu ne peut pas lancer un programme, par exemple parce que vous avez cliqué sur Non quand "
          "Windows demandait l'autorisation, sa zone de texte indique quel programme c'était et pourquoi il ne "
          "s'est pas lancé. Cliquez de nouveau sur Installer pour réessayer. Si l'ordinateur a dû redémarrer "
          "pendant l'installation, le menu se lance tout seul après l'ouverture de session et reprend là où il "
          "s'était arrêté, tant que le CD est dans le lecteur.");

  pdf.add(S::Heading, "Les boutons du menu");
  pdf.add(S::Item, "Installer : installe Reefsaver comme décrit ci-dessus.");
  pdf.add(S::Item,
          "Manuel : ouvre ce manuel, dans Adobe Reader s'il est sur l'ordinateur, sinon dans le programme avec "
          "lequel votre ordinateur ouvre les fichiers PDF.");
  pdf.add(S::Item, "Assistance : ouvre la page d'assistance dans votre navigateur web.");
  pdf.add(S::Item, "Parcourir le CD : montre les fichiers du CD dans l'Explorateur de fichiers.");
  pdf.add(S::Item, "Quitter : ferme le menu.");
  pdf.add(S::Item, "Le logo en bas à droite (Aller sur le site d'Orvane) : ouvre le site web dans votre navigateur.");
  pdf.add(S::Body,
          "Tant qu'un programme lancé par le menu est ouvert, les boutons sont grisés ; ils fonctionnent de "
          "nouveau dès que vous fermez ce programme.");

  pdf.add(S::Heading, "Installer sans le menu");
  pdf.add(S::Body,
          "Lancez vous-même setup\\ReefsaverSetup.exe depuis le CD (ou depuis une copie). Pour une "
          "installation sans questions, lancez-le suivi de /S ; il installe alors tout et fait aussitôt de "
          "Reefsaver votre écran de veille.");

  pdf.add(S::Heading, "Supprimer Reefsaver");
  pdf.add(S::Body,
          "Ouvrez Paramètres depuis le menu Démarrer, choisissez Applications puis Applications installées "
          "(sous Windows 10 : Applications et fonctionnalités), cherchez Reefsaver et choisissez Désinstaller. "
          "Vous pouvez aussi choisir Désinstaller Reefsaver dans le dossier Reefsaver du menu Démarrer, ou "
          "lancer uninstall.exe dans C:\\Program Files\\Reefsaver. Tous les fichiers et raccourcis ajoutés par "
          "l'installation disparaissent. Si Reefsaver était encore votre écran de veille, vous retrouvez "
          "l'écran de veille que vous aviez avant. Vos réglages de Reefsaver sont conservés.");

  pdf.add(S::Heading, "Paramètres");
  pdf.add(S::Body,
          "Tapez écran de veille dans la zone de recherche de la barre des tâches et choisissez Modifier "
          "l'écran de veille. Dans la fenêtre qui s'ouvre, choisissez Reefsaver comme écran de veille et "
          "cliquez sur Paramètres. La fenêtre Paramètres de Reefglass s'ouvre, avec à gauche la liste des "
          "pages :");
  pdf.add(S::Item,
          "Présentation : une image du récif, une courte explication et le bouton Visiter notre site, qui "
          "ouvre notre site web dans votre navigateur.");
  pdf.add(S::Item,
          "Banc de poissons : sous Espèce, vous choisissez l'une des deux espèces de poissons du banc ; sous "
          "Nombre, avec le curseur, combien de poissons nagent avec lui (0 à 20, par pas de 5).");
  pdf.add(S::Item,
          "Poissons : sous Espèces, vous cochez les animaux qui nagent : quatre espèces de poissons de récif, "
          "un prédateur tacheté qui chasse le banc, deux gros poissons qui patrouillent le long du fond, et la "
          "raie manta. Sous Nombre, vous choisissez combien de ces animaux il y a au plus en tout (0 à 10) ; à "
          "0, seul le banc nage.");
  pdf.add(S::Item, "Oiseaux : sous Espèces, vous cochez si une mouette vole au-dessus de l'eau.");
  pdf.add(S::Item, "Ciel : choisissez nuageux ou dégagé.");
  pdf.add(S::Item,
          "Caméra : dans la liste, vous choisissez automatique, en haut, au milieu ou en bas. Avec automatique, "
          "la vue s'incline lentement d'elle-même vers le haut et vers le bas ; avec Vitesse :, Pause en haut : "
          "et Pause en bas :, vous réglez la vitesse à laquelle elle s'incline et combien de temps elle reste en "
          "haut et en bas. Avec en haut, au milieu et en bas, la vue reste à cette hauteur.");
  pdf.add(S::Item,
          "Son : Activer le son met en marche ou coupe le bruit de l'eau et des mouettes ; le curseur Volume "
          "règle la force du son. Quand un autre programme joue du son (musique, vidéo, appel), la mer se tait "
          "en moins d'une seconde et revient quelques secondes après que ce programme s'est tu. Avec Afficher "
          "l'heure, l'heure s'inscrit en petit dans un coin de l'image, comme Windows l'écrit pour vous ; elle "
          "se déplace un peu chaque minute et change de coin chaque heure, pour que rien ne marque un écran "
          "OLED.");
  pdf.add(S::Item, "Affichage : ouvre la fenêtre Paramètres d'affichage (voir plus bas).");
  pdf.add(S::Body,
          "OK garde ce que vous avez choisi sur les pages. Annuler laisse les choix des pages tels qu'ils "
          "étaient ; ce que vous avez confirmé par OK dans la fenêtre Paramètres d'affichage reste tout de même "
          "enregistré.");

  pdf.add(S::Heading, "Paramètres d'affichage");
  pdf.add(S::Body,
          "Sous Mode d'affichage, Garder les paramètres actuels est coché : l'écran de veille prend l'écran tel "
          "qu'il est. Si vous le décochez, vous choisissez à Couleurs : 16 bits ou 32 bits et à Résolution : la "
          "résolution dans laquelle l'écran de veille fonctionne. Assombrir les autres écrans rend les autres "
          "écrans noirs pendant que l'écran de veille fonctionne ; vous ne pouvez le cocher que si plus d'un "
          "écran est branché.");
  pdf.add(S::Body,
          "À Écrans :, vous choisissez ce que fait l'écran de veille avec plus d'un écran. Écran principal seul "
          "montre la mer sur l'écran principal et laisse les autres noirs ou tels qu'ils sont (Assombrir les "
          "autres écrans). Mer sur chaque écran montre la même mer sur chaque écran, chacun dans sa propre "
          "résolution. Panorama sur tous les écrans fait des écrans placés côte à côte une seule fenêtre sur le "
          "lagon : l'horizon, l'île et les poissons passent d'un écran à l'autre, même si les écrans sont de "
          "tailles différentes. Un écran au-dessus ou au-dessous d'un autre montre la même vue que l'écran "
          "auprès duquel il se trouve. Une touche, un bouton de la souris ou un mouvement de la souris sur "
          "n'importe quel écran arrête l'écran de veille.");
  pdf.add(S::Body,
          "OK enregistre ces paramètres aussitôt, même si vous cliquez ensuite sur Annuler dans Paramètres de "
          "Reefglass. Annuler ferme la fenêtre sans rien changer.");

  pdf.add(S::Heading, "Touches de la version interactive");
  pdf.add(S::Item, "Échap : quitter le programme.");
  pdf.add(S::Item, "Flèche haut et Flèche bas : regarder vers le haut ou vers le bas.");
  pdf.add(S::Item, "Début : la caméra revient à sa position de départ.");
  pdf.add(S::Item, "Espace : le fil de fer oui ou non.");
  pdf.add(S::Item, "F : afficher ou masquer la fréquence d'images.");
  pdf.add(S::Item, "F1 : déplier ou replier l'aide.");
  pdf.add(S::Body,
          "Si vous passez à une autre fenêtre, par exemple avec Alt+Tab, la version interactive s'arrête aussi. "
          "L'écran de veille lui-même s'arrête à chaque touche, bouton de la souris ou mouvement de la souris.");

  pdf.add(S::Heading, "Configuration requise");
  pdf.add(S::Body,
          "Windows (64 bits) avec une carte graphique OpenGL, version 1.1 ou ultérieure. Une carte son pour le "
          "son. L'installation demande des droits d'administrateur.");
  return pdf.finish();
}

}  // namespace cdcontent
