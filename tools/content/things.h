// The drawings of the things in things.cpp, one per kind after the first ones of scene.cpp.
#pragma once

#include <cairo.h>

#include "scene.h"

namespace content {

void DrawBread(cairo_t* cr, const Item& it);
void DrawCroissant(cairo_t* cr, const Item& it);
void DrawCake(cairo_t* cr, const Item& it);
void DrawCupcake(cairo_t* cr, const Item& it);
void DrawDonut(cairo_t* cr, const Item& it);
void DrawPie(cairo_t* cr, const Item& it);
void DrawTeddy(cairo_t* cr, const Item& it);
void DrawRobot(cairo_t* cr, const Item& it);
void DrawBlock(cairo_t* cr, const Item& it);
void DrawDrum(cairo_t* cr, const Item& it);
void DrawHammer(cairo_t* cr, const Item& it);
void DrawWrench(cairo_t* cr, const Item& it);
void DrawSaw(cairo_t* cr, const Item& it);
void DrawScrewdriver(cairo_t* cr, const Item& it);
void DrawNut(cairo_t* cr, const Item& it);
void DrawPaintCan(cairo_t* cr, const Item& it);
void DrawBus(cairo_t* cr, const Item& it);
void DrawSuitcase(cairo_t* cr, const Item& it);
void DrawBench(cairo_t* cr, const Item& it);
void DrawLampPost(cairo_t* cr, const Item& it);
void DrawSign(cairo_t* cr, const Item& it);
void DrawFountain(cairo_t* cr, const Item& it);
void DrawDog(cairo_t* cr, const Item& it);
void DrawTent(cairo_t* cr, const Item& it);
void DrawCampfire(cairo_t* cr, const Item& it);
void DrawLantern(cairo_t* cr, const Item& it);
void DrawBackpack(cairo_t* cr, const Item& it);
void DrawPencil(cairo_t* cr, const Item& it);
void DrawGlobe(cairo_t* cr, const Item& it);
void DrawHen(cairo_t* cr, const Item& it);
void DrawPig(cairo_t* cr, const Item& it);
void DrawSheep(cairo_t* cr, const Item& it);
void DrawBarn(cairo_t* cr, const Item& it);
void DrawHaybale(cairo_t* cr, const Item& it);
void DrawFerrisWheel(cairo_t* cr, const Item& it);
void DrawFlag(cairo_t* cr, const Item& it);
void DrawIceCream(cairo_t* cr, const Item& it);
void DrawLollipop(cairo_t* cr, const Item& it);
void DrawCandy(cairo_t* cr, const Item& it);
void DrawColumn(cairo_t* cr, const Item& it);
void DrawStatue(cairo_t* cr, const Item& it);
void DrawGem(cairo_t* cr, const Item& it);
void DrawPlantPot(cairo_t* cr, const Item& it);
void DrawWateringCan(cairo_t* cr, const Item& it);
void DrawRubberDuck(cairo_t* cr, const Item& it);
void DrawSoap(cairo_t* cr, const Item& it);
void DrawTowel(cairo_t* cr, const Item& it);
void DrawBanana(cairo_t* cr, const Item& it);
void DrawOrange(cairo_t* cr, const Item& it);
void DrawGrapes(cairo_t* cr, const Item& it);
void DrawCherries(cairo_t* cr, const Item& it);
void DrawMelon(cairo_t* cr, const Item& it);
void DrawStrawberry(cairo_t* cr, const Item& it);
void DrawCarrot(cairo_t* cr, const Item& it);
void DrawPumpkin(cairo_t* cr, const Item& it);
void DrawCrate(cairo_t* cr, const Item& it);
void DrawDuck(cairo_t* cr, const Item& it);
void DrawFrog(cairo_t* cr, const Item& it);
void DrawLilyPad(cairo_t* cr, const Item& it);
void DrawReed(cairo_t* cr, const Item& it);
void DrawParrot(cairo_t* cr, const Item& it);
void DrawPalm(cairo_t* cr, const Item& it);
void DrawLeaf(cairo_t* cr, const Item& it);
void DrawSnake(cairo_t* cr, const Item& it);
void DrawTower(cairo_t* cr, const Item& it);
void DrawShield(cairo_t* cr, const Item& it);
void DrawBarrel(cairo_t* cr, const Item& it);
void DrawSled(cairo_t* cr, const Item& it);
void DrawPresent(cairo_t* cr, const Item& it);
void DrawMitten(cairo_t* cr, const Item& it);
void DrawSnowflake(cairo_t* cr, const Item& it);
void DrawSpool(cairo_t* cr, const Item& it);
void DrawButton(cairo_t* cr, const Item& it);
void DrawScissors(cairo_t* cr, const Item& it);
void DrawPincushion(cairo_t* cr, const Item& it);
void DrawYarn(cairo_t* cr, const Item& it);
void DrawGuitar(cairo_t* cr, const Item& it);
void DrawTrumpet(cairo_t* cr, const Item& it);
void DrawNote(cairo_t* cr, const Item& it);
void DrawChessPiece(cairo_t* cr, const Item& it);
void DrawDice(cairo_t* cr, const Item& it);
void DrawCard(cairo_t* cr, const Item& it);
void DrawHourglass(cairo_t* cr, const Item& it);
void DrawTurtle(cairo_t* cr, const Item& it);
void DrawCrab(cairo_t* cr, const Item& it);
void DrawBone(cairo_t* cr, const Item& it);
void DrawPetBowl(cairo_t* cr, const Item& it);
void DrawHamster(cairo_t* cr, const Item& it);
void DrawBirdhouse(cairo_t* cr, const Item& it);
void DrawRobin(cairo_t* cr, const Item& it);
void DrawSock(cairo_t* cr, const Item& it);
void DrawTrousers(cairo_t* cr, const Item& it);
void DrawDress(cairo_t* cr, const Item& it);
void DrawSandwich(cairo_t* cr, const Item& it);
void DrawBasket(cairo_t* cr, const Item& it);
void DrawCheese(cairo_t* cr, const Item& it);
void DrawAnchor(cairo_t* cr, const Item& it);
void DrawBuoy(cairo_t* cr, const Item& it);
void DrawAcorn(cairo_t* cr, const Item& it);
void DrawOwl(cairo_t* cr, const Item& it);
void DrawHedgehog(cairo_t* cr, const Item& it);
void DrawBoot(cairo_t* cr, const Item& it);
void DrawSatellite(cairo_t* cr, const Item& it);
void DrawShip(cairo_t* cr, const Item& it);
void DrawComet(cairo_t* cr, const Item& it);

}  // namespace content
